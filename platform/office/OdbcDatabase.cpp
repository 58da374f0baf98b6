// Databases through ODBC: the connection string names the driver and the file.
#include <sql.h>
#include <sqlext.h>

#include <memory>

#include "platform/office/OfficeApps.h"

namespace Office {

namespace {

// The driver's own message for the handle's last failure.
std::string Diagnostic(SQLSMALLINT type, SQLHANDLE h)
{
    SQLCHAR state[6] = {}, text[512] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT len = 0;
    if (h && SQL_SUCCEEDED(SQLGetDiagRec(type, h, 1, state, &native, text, sizeof text, &len)))
        return reinterpret_cast<const char*>(text);
    return "unknown error";
}

void Check(SQLRETURN rc, SQLSMALLINT type, SQLHANDLE h, const char* what)
{
    if (!SQL_SUCCEEDED(rc)) throw EOfficeError(std::string(what) + ": " + Diagnostic(type, h));
}

// A field's text is read in pieces; this bounds one value so a forged database cannot
// exhaust memory.
constexpr size_t MaxValueSize = 64u << 20;

class TOdbcRecordSet : public IRecordSet {
public:
    explicit TOdbcRecordSet(SQLHSTMT stmt) : FStmt(stmt)
    {
        SQLSMALLINT n = 0;
        Check(SQLNumResultCols(FStmt, &n), SQL_HANDLE_STMT, FStmt, "Query");
        FCount = n;
        for (SQLSMALLINT i = 1; i <= n; ++i) {
            SQLCHAR name[256] = {};
            SQLSMALLINT len = 0, type = 0, digits = 0, nullable = 0;
            SQLULEN size = 0;
            Check(SQLDescribeCol(FStmt, i, name, sizeof name, &len, &type, &size, &digits, &nullable), SQL_HANDLE_STMT,
                  FStmt, "Query");
            FNames.emplace_back(reinterpret_cast<const char*>(name));
        }
        Fetch();
    }
    ~TOdbcRecordSet() override { Close(); }
    int FieldCount() override { return FCount; }
    std::string FieldName(int Index) override { return FNames.at(static_cast<size_t>(Index)); }
    // ODBC tells the count of a selection only after all is read: like a forward-only
    // cursor, the count is unknown.
    long long RecordCount() override { return -1; }
    bool Eof() override { return FEof; }
    bool FieldValue(int Index, std::string& Value) override
    {
        if (FEof || Index < 0 || Index >= FCount) throw EOfficeError("No current record");
        const size_t i = static_cast<size_t>(Index);
        Value = FValues[i];
        return FPresent[i];
    }
    void MoveNext() override
    {
        if (!FEof) Fetch();
    }
    void Close() override
    {
        if (FStmt) SQLFreeHandle(SQL_HANDLE_STMT, FStmt);
        FStmt = nullptr;
        FEof = true;
    }

private:
    // Reads the next row whole, so fields may be asked in any order and more than once.
    void Fetch()
    {
        const SQLRETURN rc = SQLFetch(FStmt);
        if (rc == SQL_NO_DATA) {
            FEof = true;
            return;
        }
        Check(rc, SQL_HANDLE_STMT, FStmt, "Reading a record");
        FValues.assign(static_cast<size_t>(FCount), {});
        FPresent.assign(static_cast<size_t>(FCount), false);
        for (int i = 0; i < FCount; ++i) {
            std::string v;
            char buf[4096];
            for (;;) {
                SQLLEN ind = 0;
                const SQLRETURN r =
                    SQLGetData(FStmt, static_cast<SQLUSMALLINT>(i + 1), SQL_C_CHAR, buf, sizeof buf, &ind);
                if (r == SQL_NO_DATA) break;
                Check(r, SQL_HANDLE_STMT, FStmt, "Reading a field");
                if (ind == SQL_NULL_DATA) break;
                const size_t got = ind == SQL_NO_TOTAL || ind >= static_cast<SQLLEN>(sizeof buf)
                                       ? sizeof buf - 1
                                       : static_cast<size_t>(ind);
                v.append(buf, got);
                if (v.size() > MaxValueSize) throw EOfficeError("A field's value is too large");
                if (r == SQL_SUCCESS) break;
            }
            FPresent[static_cast<size_t>(i)] = !v.empty();
            FValues[static_cast<size_t>(i)] = std::move(v);
        }
    }
    SQLHSTMT FStmt;
    int FCount = 0;
    bool FEof = false;
    std::vector<std::string> FNames, FValues;
    std::vector<bool> FPresent;
};

class TOdbcDatabase : public IDatabase {
public:
    ~TOdbcDatabase() override { Close(); }
    void Open(const std::string& ConnectionString) override
    {
        Close();
        Check(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &FEnv), SQL_HANDLE_ENV, nullptr, "ODBC");
        Check(SQLSetEnvAttr(FEnv, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0), SQL_HANDLE_ENV,
              FEnv, "ODBC");
        Check(SQLAllocHandle(SQL_HANDLE_DBC, FEnv, &FDbc), SQL_HANDLE_ENV, FEnv, "ODBC");
        const std::string cs = MapConnectionString(ConnectionString);
        SQLCHAR out[1024];
        SQLSMALLINT outLen = 0;
        const SQLRETURN rc = SQLDriverConnect(FDbc, nullptr, reinterpret_cast<SQLCHAR*>(const_cast<char*>(cs.c_str())),
                                              static_cast<SQLSMALLINT>(cs.size()), out, sizeof out, &outLen,
                                              SQL_DRIVER_NOPROMPT);
        if (!SQL_SUCCEEDED(rc)) {
            const std::string why = Diagnostic(SQL_HANDLE_DBC, FDbc);
            Close();
            throw EOfficeError("Cannot open the database: " + why);
        }
        FConnected = true;
    }
    std::unique_ptr<IRecordSet> Query(const std::string& SQL) override
    {
        if (!FConnected) throw EOfficeError("The database is not open");
        SQLHSTMT stmt = nullptr;
        Check(SQLAllocHandle(SQL_HANDLE_STMT, FDbc, &stmt), SQL_HANDLE_DBC, FDbc, "Query");
        const SQLRETURN rc =
            SQLExecDirect(stmt, reinterpret_cast<SQLCHAR*>(const_cast<char*>(SQL.c_str())), static_cast<SQLINTEGER>(SQL.size()));
        if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) {
            const std::string why = Diagnostic(SQL_HANDLE_STMT, stmt);
            SQLFreeHandle(SQL_HANDLE_STMT, stmt);
            throw EOfficeError("Query failed: " + why);
        }
        return std::make_unique<TOdbcRecordSet>(stmt);
    }
    void Close() override
    {
        if (FConnected) SQLDisconnect(FDbc);
        FConnected = false;
        if (FDbc) SQLFreeHandle(SQL_HANDLE_DBC, FDbc);
        if (FEnv) SQLFreeHandle(SQL_HANDLE_ENV, FEnv);
        FDbc = nullptr;
        FEnv = nullptr;
    }

private:
    SQLHENV FEnv = nullptr;
    SQLHDBC FDbc = nullptr;
    bool FConnected = false;
};

}  // namespace

std::unique_ptr<IDatabase> NewOdbcDatabase() { return std::make_unique<TOdbcDatabase>(); }

}  // namespace Office
