#pragma once
// What a scan of M-Bus meters finds: one record per decoded data record, one object per
// wired slave or wireless meter, and the operations on the two process-wide lists that
// keep them from the scan to the save (List_Slave_MBus and List_Slave_wMBus).
//
// The lists are filled by the scan engine's thread (wired) and by the thread that receives
// UDP datagrams (wireless), and read, changed and emptied by the interface thread: every
// access to a list, its meters or their records holds the list's Lock.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "shell/UComon.h"

class TLazyNode;   // the scan window's tree node that shows an object

class TVariable_MBus : public TObject {
public:
    int32_t dato_A = 0;            // data bytes 1..4, little-endian
    int32_t dato_B = 0;            // data bytes 5..8, little-endian
    uint8_t dimension = 0;         // data field code (DIF bits 0..3)
    uint16_t function_fild = 0;    // 0 instantaneous, 1 maximum, 2 minimum, 3 during error state
    int64_t storage_number = 0;
    uint16_t tarif = 0;
    uint16_t device = 0;           // subunit
    uint16_t type_data = 0;        // class of the primary VIF; 65535 for "any" and manufacturer VIFs
    uint16_t scale = 0;
    bool errata = false;           // the record could not be analysed; sterror says why
    String sterror;
    int32_t nbyte = 0;             // data bytes as the data field code gives them
    String descdim;
    int32_t numdife = 0;
    int32_t numvife = 0;
    int32_t vifvalue = -1;         // primary VIF, or first VIFE of the extension tables; -1 otherwise
    int32_t PrinVIFE = 0;          // the first VIFE, 0 without one
    uint8_t casovif = 0;           // 0 primary, 1 table 0xFD, 2 table 0xFB, 100 manufacturer, 101 plain text
    int32_t numdato = 0;
    uint8_t VIF = 0;
    String VIFE;                   // "$3C $22 "
    String DIF;                    // "$04"
    String DIFE;                   // as VIFE
    String totdati;                // data bytes in hexadecimal, received order
    String VIF_ASCII;              // unit text of a plain-text VIF
    String Description;
    String datagiorno;             // date of decoding, regional short date
    String tempo;                  // time of decoding, regional long time
    String icon;
    int32_t Type_Data_Vife = 0;    // class of the extension entry or first classed VIFE; 0 none
    String Desc_Type_Data;         // quantity, unit and remarks
    String ValueStr;               // the value as the user reads it
    String FunctionFieldStr;
    String DataFieldStr;
    bool Enable = true;
    bool Real_Wireless_Var = false;   // false only for the placeholder of an idle filler
    bool Is_BCD = false;
    TLazyNode* Node = nullptr;
};

using TVariableList = std::vector<std::unique_ptr<TVariable_MBus>>;

class TSlave_MBus : public TObject {
public:
    uint16_t Primary_Addresss = 0;
    String Secondary_Addresss;     // identification number as hexadecimal text ("12345678")
    int32_t Manufacture = 0;
    int32_t Version = 0;
    int32_t Medium = 0;
    int32_t Status = 0;
    String descManufacture;
    String descmedium;
    String description;
    TVariableList List_Var;        // owned, in received order
    TLazyNode* Node = nullptr;
};

class TSlave_wMBus : public TObject {
public:
    uint8_t Message_Type = 0;      // C field of the first telegram
    uint16_t LLA_Manufacturer = 0;
    String LLA_Manu_str;
    int32_t LLA_Address = 0;
    uint8_t LLA_Version = 0;
    uint8_t LLA_DeviceType = 0;
    uint16_t ALA_Manufacturer = 0; // the meter's identity
    String ALA_Manu_str;
    int32_t ALA_Address = 0;
    uint8_t ALA_Version = 0;
    uint8_t ALA_DeviceType = 0;
    int8_t RSSI = 0;               // dBm, last telegram
    TDateTime DateTime = 0;        // local time the last telegram was decoded
    bool Cripted = false;          // the last telegram's data is encrypted and was not decrypted
    bool Enable = true;
    bool Enable_Key = false;       // Key holds the meter's key
    uint8_t Key[16] = {};
    int32_t RadioCrafts_Ind_Tab_Decript = -1;
    TVariableList List_Var;        // records of the last telegram that was not dropped
    TLazyNode* Node = nullptr;

    // Frees the records, last first; the meter stays.
    void Cancel_Var();
};

// The meter at Index of a list whose Lock the caller holds; nullptr when there is none.
TSlave_MBus* Wired_Slave_At(TSlaveList& List, int Index);
TSlave_wMBus* Wireless_Slave_At(TSlaveList& List, int Index);

// Index of the first wireless meter with this application-layer identity, -1 when none.
// The first form locks List_Slave_wMBus; the second works on a list the caller holds locked.
int Find_Wireless_Slave(uint16_t Manufacturer, int32_t Address, uint8_t Version, uint8_t DeviceType);
int Find_Wireless_Slave(TSlaveList& Locked_List, uint16_t Manufacturer, int32_t Address, uint8_t Version,
                        uint8_t DeviceType);

// Empty a list before a new scan: every meter from the last to the first, its records
// first. Each takes the list's lock.
void Empty_Slave_MBus_List();
void Empty_Slave_wMBus_List();

// The local date and time now.
TDateTime MBus_Now();
