#pragma once
// The description of the known TLS certificates editor: ten certificates kept as text,
// each with an Enable box and a description, in TLS_Known_Cert.xml. Its table stands on a
// string grid with a real check box in its Enable column; nothing is validated.
#include "editors/frame/UTableDesc.h"

namespace TLS_Known_Cert {
enum TCol { Col_Number, Col_Enable, Col_Certificate, Col_Mnemonic, Col_Count };
constexpr int Rows = 10;
constexpr int Text_Base = 5100;
constexpr int Row_Height = 60;   // room for a few lines of an encoded certificate
}  // namespace TLS_Known_Cert

TEditorDesc TLS_Server_Known_Cert_Desc();
