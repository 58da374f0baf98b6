#pragma once
// TObject and the string list most of the program's tables are kept in.
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/SysUtils.h"

class TObject {
public:
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TObject {
public:
    TStringList() = default;
    ~TStringList() override;
    TStringList(const TStringList&) = delete;
    TStringList& operator=(const TStringList&) = delete;

    int Count() const { return static_cast<int>(FItems.size()); }
    const String& Strings(int index) const;
    void SetStrings(int index, const String& s);
    const String& operator[](int index) const { return Strings(index); }
    TObject* Objects(int index) const;
    void SetObjects(int index, TObject* obj);

    int Add(const String& s);
    int AddObject(const String& s, TObject* obj);
    void Insert(int index, const String& s);
    void InsertObject(int index, const String& s, TObject* obj);
    void Delete(int index);
    void Clear();
    // Room for n strings without growing again (a list filled in one go).
    void Reserve(int n) { FItems.reserve(n > 0 ? static_cast<size_t>(n) : 0); }
    void Exchange(int a, int b);
    void Move(int from, int to);
    void Assign(const TStringList& other);   // strings and object pointers
    void AddStrings(const TStringList& other);

    int IndexOf(const String& s) const;
    int IndexOfObject(const TObject* obj) const;
    bool Find(const String& s, int& index) const;   // binary search; list must be sorted

    // NAME=VALUE lines
    String Names(int index) const;
    String ValueFromIndex(int index) const;
    int IndexOfName(const String& name) const;
    String Values(const String& name) const;
    void SetValues(const String& name, const String& value);

    bool Sorted() const { return FSorted; }
    void SetSorted(bool v);
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool v);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates d) { FDuplicates = d; }
    // Objects deleted with the list or when their line goes.
    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool v) { FOwnsObjects = v; }

    void Sort();
    void CustomSort(const std::function<int(const TStringList&, int, int)>& compare);

    // Lines joined with CR LF; SetText splits at CR LF, LF or CR.
    String Text() const;
    void SetText(std::string_view text);
    String CommaText() const;
    void SetCommaText(std::string_view text);
    String DelimitedText(char delimiter = ',', char quote = '"') const;
    void SetDelimitedText(std::string_view text, char delimiter = ',', char quote = '"', bool strictDelimiter = false);

    TNotifyEvent OnChange;

    int CompareStrings(const String& a, const String& b) const;

    // One line with its object; the lines are held as a vector of these.
    struct Item {
        String s;
        TObject* obj = nullptr;
    };
    // Exchanges the lines (with their objects) with a block of items in constant time:
    // a store hands a whole row of texts to a list and back without copying a text.
    void SwapItems(std::vector<Item>& Other)
    {
        FItems.swap(Other);
        Changed();
    }

private:
    void CheckIndex(int index) const;
    void Changed();
    void FreeObject(TObject* obj);
    std::vector<Item> FItems;
    bool FSorted = false;
    bool FCaseSensitive = false;
    bool FOwnsObjects = false;
    TDuplicates FDuplicates = dupIgnore;
};
