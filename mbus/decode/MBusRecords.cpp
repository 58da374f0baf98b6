// The EN 13757-3 record parser: DIF, DIFEs, VIF (or plain-text unit), VIFEs and data of
// each record into a TVariable_MBus; the wired answer's header into a TSlave_MBus; and
// the small code tables (BCD, manufacturer letters, medium).
#include <algorithm>
#include <cstdio>
#include <mutex>

#include "mbus/decode/UMBusDecoder.h"
#include "platform/os/Regional.h"

namespace {

struct TDataField {
    const char* Str;    // DataFieldStr
    int Bytes;
    const char* Desc;   // descdim
};

const TDataField Data_Fields[16] = {
    {"", 0, "No data"},
    {"8 Bit Integer", 1, "8 Bit Integer"},
    {"16 Bit Integer", 2, "16 Bit Integer"},
    {"24 Bit Integer", 3, "24 Bit Integer"},
    {"32 Bit Integer", 4, "32 Bit Integer"},
    {"32 Bit Real", 4, "32 Bit real"},
    {"48 Bit Integer", 6, "48 Bit Integer"},
    {"64 Bit Integer", 8, "64 Bit Integer"},
    {"", 0, ""},   // selection for readout: decoding stops
    {"2 Digit BCD", 1, "2 digit BCD"},
    {"4 Digit BCD", 2, "4 digit BCD"},
    {"6 Digit BCD", 3, "6 digit BCD"},
    {"8 Digit BCD", 4, "8 digit BCD"},
    {"", 0, ""},   // variable length: by LVAR
    {"12 Digit BCD", 6, "12 digit BCD"},
    {"Special Function", 0, ""},
};

const char* const Function_Texts[4] = {"Istantaneous value", "Maximum value", "Minimum value",
                                       "Value during error state"};

// Data bytes and texts of a variable-length record from its LVAR byte.
void Variable_Length(uint8_t LVAR, int& Bytes, String& Str, String& Desc, bool& Reserved)
{
    Reserved = false;
    if (LVAR <= 0xBF) {
        Bytes = LVAR;
        Str = String("Variable Length - ASCII String with ") + IntToStr(LVAR) + "characters";
        Desc = String("Variable length: ASCII string with ") + IntToStr(LVAR) + " characters";
    } else if (LVAR <= 0xCF) {
        Bytes = LVAR - 0xC0;
        Str = String("Variable Length - Positive BCD Number with ") + IntToStr(2 * Bytes) + " digits";
        Desc = String("Variable length: Positive BCD number with ") + IntToStr(Bytes) + " *2 digits";
    } else if (LVAR <= 0xDF) {
        Bytes = LVAR - 0xD0;
        Str = String("Variable Length - Negative BCD Number with ") + IntToStr(2 * Bytes) + " digits";
        Desc = String("Variable length: Negative BCD number with ") + IntToStr(Bytes) + " *2 digits";
    } else if (LVAR <= 0xEF) {
        Bytes = LVAR - 0xE0;
        Str = String("Variable Length - Binary Number with ") + IntToStr(Bytes) + " Bytes";
        Desc = String("Variable length: Binary number with ") + IntToStr(Bytes) + " bytes";
    } else if (LVAR <= 0xFA) {
        Bytes = LVAR - 0xF0;
        Str = String("Variable Length - Floating Point Number with ") + IntToStr(Bytes) + " Bytes";
        Desc = String("Variable length: Floating Point number with ") + IntToStr(Bytes) + " bytes";
    } else {
        Bytes = 0;
        Str = "Variable Length - Reserved";
        Desc = "Variable length: Reserved";
        Reserved = true;
    }
}

const char Hex_Digits[] = "0123456789ABCDEF";

void Append_Hex(String& S, uint8_t Byte)
{
    S += Hex_Digits[Byte >> 4];
    S += Hex_Digits[Byte & 0x0F];
}

// "$" and two upper-case hexadecimal digits.
String Dollar_Hex(uint8_t Byte)
{
    String s(1, '$');
    Append_Hex(s, Byte);
    return s;
}

// Each byte as Dollar_Hex followed by a blank.
String Hex_List(const uint8_t* Bytes, int Count)
{
    String s;
    s.reserve(static_cast<size_t>(4 * Count));
    for (int i = 0; i < Count; ++i) {
        s += '$';
        Append_Hex(s, Bytes[i]);
        s += ' ';
    }
    return s;
}

int32_t Little_Endian(const uint8_t* Bytes)
{
    uint32_t v = 0;
    for (int k = 0; k < 4; ++k) v |= uint32_t(Bytes[k]) << (8 * k);
    return static_cast<int32_t>(v);
}

// Error texts of records the parser cannot use (the program's record errors are Italian).
const char* const Err_Not_Analysable = "Non analizabile";
const char* const Err_Truncated = "Record troncato";              // runs past the end of the data
const char* const Err_Too_Many_Extensions = "Troppe estensioni";   // more than ten DIFEs or VIFEs

constexpr int Max_Extensions = 10;
constexpr size_t Max_Unit_Text = 192;

}   // namespace

int TMBusDecoder::Decode_Data_Records(TVariableList& Target, int Last_Index, std::span<const uint8_t> Source)
{
    int result = 1;
    const int last = static_cast<int>(std::min<int64_t>(Last_Index, static_cast<int64_t>(Source.size()) - 1));
    const TDateTime now = MBus_Now();
    if (now != FStamp_Time) {
        FStamp_Date = FormatDateTime(GetShortDateFormat(), now);
        FStamp_Clock = FormatDateTime(GetLongTimeFormat(), now);
        FDecimal_Separator = GetDecimalSeparator();
        FStamp_Time = now;
    }
    const String& today = FStamp_Date;
    const String& time_now = FStamp_Clock;

    int p = 0;
    while (p <= last) {
        // 1. The record's working state.
        const uint8_t dif = Source[static_cast<size_t>(p)];
        const uint8_t D = dif & 0x0F;
        const uint8_t F = (dif >> 4) & 0x03;
        const int S0 = (dif >> 6) & 0x01;
        uint8_t difes[Max_Extensions] = {}, vifes[Max_Extensions] = {};
        int ndife = 0, nvife = 0;
        bool too_many = false, truncated = false;
        uint8_t vif = 0, lvar = 0;
        String unit_text;
        int count = 0;
        String data_str = Data_Fields[D].Str, data_desc = Data_Fields[D].Desc;
        bool lvar_reserved = false;

        // The next byte of the record, or false (and truncated) past the last index.
        const auto next = [&](uint8_t& b) {
            if (p >= last) {
                truncated = true;
                return false;
            }
            b = Source[static_cast<size_t>(++p)];
            return true;
        };
        // Extension bytes while the last one read has bit 7 set; ten are kept, the rest
        // are passed over so the record still ends where the sender ended it.
        const auto extensions = [&](uint8_t* ext, int& n) {
            uint8_t b = 0;
            do {
                if (!next(b)) return;
                if (n < Max_Extensions)
                    ext[n++] = b;
                else
                    too_many = true;
            } while (b & 0x80);
        };

        // 7, 9. The special DIFs that end the records or fill idle space read nothing more:
        // 0F and 1F (manufacturer data follow; 1F asks for a further telegram), 3F .. 7F
        // (nothing is stored and decoding stops), 2F (idle filler: a placeholder record in a
        // wireless scan, nothing in a wired one).
        if (D == 15 && !(dif & 0x80)) {
            if (dif == 0x1F) result = 0;
            if (dif != 0x2F) break;
            if (MBusType == mtWireless) {
                auto filler = std::make_unique<TVariable_MBus>();
                filler->DataFieldStr = data_str;
                filler->datagiorno = today;
                filler->tempo = time_now;
                filler->DIF = Dollar_Hex(dif);
                Target.push_back(std::move(filler));
            }
            ++p;
            continue;
        }

        // 2-4. DIFEs, VIF with its plain-text unit, VIFEs.
        {
            if (dif & 0x80) extensions(difes, ndife);
            if (!truncated && next(vif)) {
                if (vif == 0x7C || vif == 0xFC) {
                    uint8_t lt = 0;
                    if (next(lt))
                        for (int i = 0; i < lt; ++i) {
                            uint8_t c = 0;
                            if (!next(c)) break;
                            unit_text += static_cast<char>(c);
                        }
                }
                if (!truncated && (vif & 0x80)) extensions(vifes, nvife);
            }
        }
        // 5-6. Data field and data.
        uint8_t data[256] = {};
        if (!truncated) {
            if (D == 13) {
                if (next(lvar)) Variable_Length(lvar, count, data_str, data_desc, lvar_reserved);
            } else {
                count = Data_Fields[D].Bytes;
            }
            for (int i = 0; i < count && !truncated; ++i) next(data[i]);
        }
        // 8. The record.
        auto rec = std::make_unique<TVariable_MBus>();
        rec->Is_BCD = (D >= 9 && D <= 12) || D == 14;
        rec->DataFieldStr = data_str;
        rec->datagiorno = today;
        rec->tempo = time_now;
        rec->Real_Wireless_Var = true;
        rec->DIF = Dollar_Hex(dif);

        if (truncated) {
            // A record that runs past the data: kept as an error, and nothing after it
            // can be trusted to start where it seems to.
            rec->dimension = D;
            rec->function_fild = F;
            rec->VIF = vif;
            rec->errata = true;
            rec->sterror = Err_Truncated;
            Target.push_back(std::move(rec));
            break;
        }

        // 9. The special DIFs 8F .. FF: nothing stored, the next record follows.
        if (D == 15) {
            ++p;
            continue;
        }
        // 10.
        if (D == 8) break;
        rec->dimension = D;
        rec->descdim = data_desc;
        rec->nbyte = count;
        if (lvar_reserved) {
            rec->errata = true;
            rec->sterror = Err_Not_Analysable;
        }
        // 11.
        rec->function_fild = F;
        rec->storage_number = S0;
        if (ndife > 0) {
            int64_t storage = 0, tariff = 0, subunit = 0;
            for (int i = ndife - 1; i >= 0; --i) {
                storage = storage * 16 + (difes[i] & 0x0F);
                tariff = tariff * 4 + ((difes[i] >> 4) & 0x03);
                subunit = subunit * 2 + ((difes[i] >> 6) & 0x01);
            }
            rec->DIFE = Hex_List(difes, ndife);
            rec->numdife = ndife;
            rec->storage_number = S0 + 2 * storage;
            rec->tarif = static_cast<uint16_t>(tariff);
            rec->device = static_cast<uint16_t>(subunit);
        }
        // 12.
        rec->VIF = vif;
        if (vif == 0x7E || vif == 0xFE) break;
        // 13.
        if (vif == 0x7C || vif == 0xFC) {
            rec->casovif = 101;
            rec->VIF_ASCII.assign(unit_text.rbegin(), unit_text.rend());
            if (unit_text.size() > Max_Unit_Text) {
                rec->VIF_ASCII.resize(Max_Unit_Text);
                rec->errata = true;
                rec->sterror = Err_Not_Analysable;
            }
        } else if (vif == 0xFB || vif == 0xFD) {
            rec->casovif = vif == 0xFD ? 1 : 2;
            rec->vifvalue = vifes[0];
        } else if (vif == 0x7F || vif == 0xFF) {
            rec->casovif = 100;
        } else if ((vif & 0x7F) <= 0x7A) {
            rec->vifvalue = vif;
            rec->casovif = 0;
        }
        if (too_many) {
            rec->errata = true;
            rec->sterror = Err_Too_Many_Extensions;
        }
        // 14-15.
        rec->VIFE = Hex_List(vifes, nvife);
        rec->PrinVIFE = nvife ? vifes[0] : 0;
        String hex;
        hex.reserve(static_cast<size_t>(2 * count));
        for (int i = 0; i < count; ++i) Append_Hex(hex, data[i]);
        rec->totdati = std::move(hex);
        rec->dato_A = Little_Endian(data);
        rec->dato_B = Little_Endian(data + 4);
        // 16.
        TVariable_MBus& stored = *rec;
        Target.push_back(std::move(rec));
        // 17.
        std::copy(std::begin(data), std::end(data), App_Data_Val);
        std::fill(std::begin(App_Vife_Val), std::end(App_Vife_Val), 0);
        std::copy_n(vifes, nvife, App_Vife_Val);
        Decode_VIF_Value(vif, vifes[0], D, lvar, count, stored);
        // 18.
        stored.FunctionFieldStr = Function_Texts[F];
        // 19.
        std::fill(std::begin(App_Data_Val), std::end(App_Data_Val), 0);
        ++p;
    }
    return result;
}

bool Is_Valid_Long_Frame(std::span<const uint8_t> Answer)
{
    const size_t n = Answer.size();
    if (n <= static_cast<size_t>(MBus_Min_Long_Frame)) return false;
    if (Answer[0] != 0x68 || Answer[3] != 0x68 || Answer[1] != Answer[2] || Answer[n - 1] != 0x16) return false;
    uint8_t sum = 0;
    for (size_t i = 4; i + 2 < n; ++i) sum = static_cast<uint8_t>(sum + Answer[i]);
    return sum == Answer[n - 2];
}

int TMBusDecoder::Add_Wired_Slave_Frame(int Slave_Index, bool& More_Records, std::span<const uint8_t> Answer)
{
    More_Records = false;
    if (Answer.size() < static_cast<size_t>(MBus_Min_Long_Frame)) return -1;
    std::lock_guard<std::mutex> lock(List_Slave_MBus.Lock);
    TSlave_MBus* slave = nullptr;
    if (Slave_Index < 0) {
        auto s = std::make_unique<TSlave_MBus>();
        s->Primary_Addresss = Answer[5];
        s->Secondary_Addresss = IntToHex(static_cast<uint32_t>(Little_Endian(&Answer[7])), 2);
        s->Manufacture = Answer[11] + 256 * Answer[12];
        s->Version = Answer[13];
        s->Medium = Answer[14];
        s->Status = Answer[16];
        s->descmedium = Medium_Description(s->Medium);
        s->descManufacture = Trova_Man(static_cast<uint16_t>(s->Manufacture));
        slave = s.get();
        List_Slave_MBus.Items.push_back(std::move(s));
        Slave_Index = static_cast<int>(List_Slave_MBus.Items.size()) - 1;
    } else {
        slave = Wired_Slave_At(List_Slave_MBus, Slave_Index);
        if (!slave) return -1;
    }
    const int last = static_cast<int>(Answer.size()) - 22;
    More_Records = Decode_Data_Records(slave->List_Var, last, Answer.subspan(MBus_Long_Header_Size)) == 0;
    return Slave_Index;
}

int64_t TMBusDecoder::BCD_To_Int64(int N) const
{
    N = std::clamp(N, 0, static_cast<int>(sizeof App_Data_Val));
    // Unsigned arithmetic: nibbles above 9 may push a long number past the signed range,
    // which must wrap, not be undefined.
    uint64_t value = 0, power = 1;
    bool negative = false;
    for (int i = 0; i < N; ++i) {
        const uint8_t b = App_Data_Val[i];
        value += (b & 0x0F) * power;
        power *= 10;
        if (i == N - 1 && (b >> 4) == 0x0F)
            negative = true;
        else
            value += (b >> 4) * power;
        power *= 10;
    }
    return negative ? static_cast<int64_t>(0 - value) : static_cast<int64_t>(value);
}

String Trova_Man(uint16_t Manufacturer)
{
    const int m = Manufacturer;
    const int l1 = 63 + (m + 1023) / 1024;
    const int r1 = m - (l1 - 64) * 1024;
    const int l2 = 63 + (r1 + 31) / 32;
    const int r2 = r1 - (l2 - 64) * 32;
    const int l3 = 64 + r2;
    String s;
    for (int c : {l1, l2, l3}) s += (c >= 'A' && c <= 'Z') ? static_cast<char>(c) : '?';
    return s;
}

String Medium_Description(int Medium)
{
    static const char* const Texts[] = {
        "Other", "Oil", "Electricity", "Gas", "Heat (outlet)", "Steam", "Hot Water", "Water",
        "Heat Cost Allocator.", "Compressed Air", "Cooling load meter (outlet)", "Cooling load meter (inlet)",
        "Heat (inlet) ", "Heat/Cooling load meter", "Bus/System", "Unknown Medium",
    };
    if (Medium >= 0 && Medium <= 0x0F) return Texts[Medium];
    switch (Medium) {
    case 0x16: return "Cold Water";
    case 0x17: return "Dual Water";
    case 0x18: return "Pressure";
    case 0x19: return "A/D Converter";
    default: return "Other";
    }
}

void TMBusDecoder::Notify_Slave_List(int32_t A, int32_t B, int32_t C, int32_t D)
{
    if (!Update_Slave_List) return;
    try {
        Update_Slave_List(A, B, C, D);
    } catch (...) {
        // The scan goes on whatever the window's handler did.
    }
}

void TMBusDecoder::Notify_Wireless_Slave(int32_t Index, TSlave_wMBus* Meter)
{
    if (!UpdateListWirelessSlave) return;
    UpdateListWirelessSlave(Index, From_DLL ? nullptr : Meter);
}
