#pragma once
// The maker's particulars that the description files carry: its postal and electronic
// addresses and the identifiers registered to it. One place, so every file names the
// maker alike.
namespace Maker {
constexpr const char* Name = "Zodudo";
constexpr const char* Legal_Form = "Ltd.";
constexpr const char* Street = "12 Foundry Lane";
constexpr const char* Postal_Code = "40100";
constexpr const char* Town = "Riverton";
constexpr const char* Province = "RV";
constexpr const char* Province_Name = "Riverside";
constexpr const char* Country = "Northland";
constexpr const char* Telephone = "+00 100 200 3000";
constexpr const char* Fax = "+00 100 200 3001";
constexpr const char* Support_Mail = "support@zodudo.example";
constexpr const char* Mail_Domain = "zodudo.example";
constexpr const char* Web_Address = "www.zodudo.example";
// The PROFIBUS ident number, the PROFINET vendor and device identifiers and the private
// enterprise number of the SNMP tree (the number kept free for examples and
// documentation until one is registered).
constexpr unsigned Profibus_Ident = 0x0E2D;
constexpr unsigned Profinet_Vendor_ID = 0x0301;
constexpr unsigned Profinet_Device_ID = 0x0053;
constexpr unsigned Enterprise_Number = 32473;
}  // namespace Maker
