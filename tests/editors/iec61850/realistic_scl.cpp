// A larger SCL file of the kind engineering tools export, generated so that its size can
// grow without a stored sample.
#include "tests/editors/iec61850/scl_fixture.h"

String Realistic_SCL(int Bays)
{
    String Ln;
    String Sets;
    for (int b = 1; b <= Bays; ++b) {
        const String i = IntToStr(b);
        // The first breaker has no prefix, as many tools write it.
        const String Prefix = b == 1 ? String() : "Q" + i;
        Ln += "<LN prefix=\"" + Prefix + "\" lnClass=\"XCBR\" inst=\"" + i + "\" lnType=\"XCBR_T\"/>"
              "<LN prefix=\"Q" + i + "\" lnClass=\"XSWI\" inst=\"1\" lnType=\"XSWI_T\"/>"
              "<LN lnClass=\"CSWI\" inst=\"" + i + "\" lnType=\"CSWI_T\"/>";
    }
    Sets = "<DataSet name=\"DS1\"><FCDA ldInst=\"CTRL\" lnClass=\"XCBR\" doName=\"Pos\" daName=\"stVal\" fc=\"ST\"/>"
           "<FCDA ldInst=\"CTRL\" lnClass=\"XCBR\" doName=\"Pos\" daName=\"q\" fc=\"ST\"/>"
           "<FCDA ldInst=\"CTRL\" lnClass=\"XSWI\" doName=\"Pos\" fc=\"ST\"/>"
           "<FCDA ldInst=\"MEAS\" lnClass=\"MMXU\" doName=\"TotW\" daName=\"mag\" fc=\"MX\"/></DataSet>"
           "<DataSet name=\"Events\"><FCDA ldInst=\"PROT\" lnClass=\"PTOC\" doName=\"Op\" daName=\"general\" fc=\"ST\"/>"
           "<FCDA ldInst=\"PROT\" lnClass=\"PTOC\" doName=\"Str\" daName=\"dirGeneral\" fc=\"ST\"/></DataSet>"
           "<GSEControl name=\"GCB_Pos\" datSet=\"DS1\" appID=\"E1_POS\" confRev=\"1\"/>"
           "<GSEControl name=\"GCB_Ev\" datSet=\"Events\" appID=\"E1_EV\" confRev=\"1\"/>"
           "<ReportControl name=\"RCB\" datSet=\"DS1\"/>";
    const String Server =
        "<Authentication none=\"true\"/>"
        "<LDevice inst=\"CTRL\"><LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"LLN0_T\">" + Sets +
        "<DOI name=\"Mod\"><DAI name=\"ctlModel\"><Val>status-only</Val></DAI></DOI></LN0>"
        "<LN lnClass=\"LPHD\" inst=\"1\" lnType=\"LPHD_T\"/>" + Ln + "</LDevice>"
        "<LDevice inst=\"PROT\"><LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"LLN0_T\"/>"
        "<LN prefix=\"I\" lnClass=\"PTOC\" inst=\"1\" lnType=\"PTOC_T\"/><LN prefix=\"I\" lnClass=\"PTOC\" inst=\"2\" lnType=\"PTOC_T\"/>"
        "<LN lnClass=\"PTRC\" inst=\"1\" lnType=\"PTRC_T\"/></LDevice>"
        "<LDevice inst=\"MEAS\"><LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"LLN0_T\"/>"
        "<LN lnClass=\"MMXU\" inst=\"1\" lnType=\"MMXU_T\"/></LDevice>";
    const String Templates =
        "<LNodeType id=\"LLN0_T\" lnClass=\"LLN0\"><DO name=\"Mod\" type=\"ENC_Mod\"/><DO name=\"Beh\" type=\"ENS_Beh\"/>"
        "<DO name=\"Health\" type=\"ENS_Beh\"/><DO name=\"NamPlt\" type=\"LPL_T\"/></LNodeType>"
        "<LNodeType id=\"LPHD_T\" lnClass=\"LPHD\"><DO name=\"PhyNam\" type=\"DPL_T\"/><DO name=\"PhyHealth\" type=\"ENS_Beh\"/></LNodeType>"
        "<LNodeType id=\"XCBR_T\" lnClass=\"XCBR\"><DO name=\"Beh\" type=\"ENS_Beh\"/><DO name=\"Pos\" type=\"DPC_T\"/>"
        "<DO name=\"BlkOpn\" type=\"SPC_T\"/><DO name=\"BlkCls\" type=\"SPC_T\"/><DO name=\"CBOpCap\" type=\"ENS_Beh\"/></LNodeType>"
        "<LNodeType id=\"XSWI_T\" lnClass=\"XSWI\"><DO name=\"Pos\" type=\"DPC_T\"/><DO name=\"SwTyp\" type=\"ENS_Beh\"/></LNodeType>"
        "<LNodeType id=\"CSWI_T\" lnClass=\"CSWI\"><DO name=\"Pos\" type=\"DPC_T\"/></LNodeType>"
        "<LNodeType id=\"PTOC_T\" lnClass=\"PTOC\"><DO name=\"Str\" type=\"ACD_T\"/><DO name=\"Op\" type=\"ACT_T\"/></LNodeType>"
        "<LNodeType id=\"PTRC_T\" lnClass=\"PTRC\"><DO name=\"Tr\" type=\"ACT_T\"/></LNodeType>"
        "<LNodeType id=\"MMXU_T\" lnClass=\"MMXU\"><DO name=\"TotW\" type=\"MV_T\"/><DO name=\"Hz\" type=\"MV_T\"/>"
        "<DO name=\"PhV\" type=\"WYE_T\"/><DO name=\"A\" type=\"WYE_T\"/></LNodeType>"
        "<DOType id=\"ENC_Mod\" cdc=\"ENC\"><DA name=\"stVal\" bType=\"Enum\" type=\"Beh\" fc=\"ST\"/>"
        "<DA name=\"q\" bType=\"Quality\" fc=\"ST\"/><DA name=\"t\" bType=\"Timestamp\" fc=\"ST\"/>"
        "<DA name=\"ctlModel\" bType=\"Enum\" type=\"CtlModels\" fc=\"CF\"/></DOType>"
        "<DOType id=\"ENS_Beh\" cdc=\"ENS\"><DA name=\"stVal\" bType=\"Enum\" type=\"Beh\" fc=\"ST\"/>"
        "<DA name=\"q\" bType=\"Quality\" fc=\"ST\"/><DA name=\"t\" bType=\"Timestamp\" fc=\"ST\"/></DOType>"
        "<DOType id=\"LPL_T\" cdc=\"LPL\"><DA name=\"vendor\" bType=\"VisString255\" fc=\"DC\"/>"
        "<DA name=\"swRev\" bType=\"VisString255\" fc=\"DC\"/><DA name=\"configRev\" bType=\"VisString255\" fc=\"DC\"/></DOType>"
        "<DOType id=\"DPL_T\" cdc=\"DPL\"><DA name=\"vendor\" bType=\"VisString255\" fc=\"DC\"/></DOType>"
        "<DOType id=\"DPC_T\" cdc=\"DPC\"><DA name=\"stVal\" bType=\"Dbpos\" fc=\"ST\" dchg=\"true\"/>"
        "<DA name=\"q\" bType=\"Quality\" fc=\"ST\" qchg=\"true\"/><DA name=\"t\" bType=\"Timestamp\" fc=\"ST\"/>"
        "<DA name=\"ctlModel\" bType=\"Enum\" type=\"CtlModels\" fc=\"CF\"/>"
        "<DA name=\"Oper\" bType=\"Struct\" type=\"DPC_Oper\" fc=\"CO\"/></DOType>"
        "<DOType id=\"SPC_T\" cdc=\"SPC\"><DA name=\"stVal\" bType=\"BOOLEAN\" fc=\"ST\"/>"
        "<DA name=\"q\" bType=\"Quality\" fc=\"ST\"/></DOType>"
        "<DOType id=\"ACD_T\" cdc=\"ACD\"><DA name=\"general\" bType=\"BOOLEAN\" fc=\"ST\"/>"
        "<DA name=\"dirGeneral\" bType=\"Enum\" type=\"Dir\" fc=\"ST\"/><DA name=\"q\" bType=\"Quality\" fc=\"ST\"/></DOType>"
        "<DOType id=\"ACT_T\" cdc=\"ACT\"><DA name=\"general\" bType=\"BOOLEAN\" fc=\"ST\"/>"
        "<DA name=\"q\" bType=\"Quality\" fc=\"ST\"/></DOType>"
        "<DOType id=\"MV_T\" cdc=\"MV\"><DA name=\"mag\" bType=\"Struct\" type=\"AV_T\" fc=\"MX\"/>"
        "<DA name=\"q\" bType=\"Quality\" fc=\"MX\"/><DA name=\"t\" bType=\"Timestamp\" fc=\"MX\"/></DOType>"
        "<DOType id=\"CMV_T\" cdc=\"CMV\"><DA name=\"cVal\" bType=\"Struct\" type=\"Vector_T\" fc=\"MX\"/>"
        "<DA name=\"q\" bType=\"Quality\" fc=\"MX\"/></DOType>"
        "<DOType id=\"WYE_T\" cdc=\"WYE\"><SDO name=\"phsA\" type=\"CMV_T\"/><SDO name=\"phsB\" type=\"CMV_T\"/>"
        "<SDO name=\"phsC\" type=\"CMV_T\"/></DOType>"
        "<DAType id=\"AV_T\"><BDA name=\"f\" bType=\"FLOAT32\"/></DAType>"
        "<DAType id=\"Vector_T\"><BDA name=\"mag\" bType=\"Struct\" type=\"AV_T\"/><BDA name=\"ang\" bType=\"Struct\" type=\"AV_T\"/></DAType>"
        "<DAType id=\"DPC_Oper\"><BDA name=\"ctlVal\" bType=\"BOOLEAN\"/><BDA name=\"origin\" bType=\"Struct\" type=\"Originator\"/>"
        "<BDA name=\"ctlNum\" bType=\"INT8U\"/><BDA name=\"T\" bType=\"Timestamp\"/><BDA name=\"Test\" bType=\"BOOLEAN\"/></DAType>"
        "<DAType id=\"Originator\"><BDA name=\"orCat\" bType=\"Enum\" type=\"orCat\"/><BDA name=\"orIdent\" bType=\"Octet64\"/></DAType>"
        "<EnumType id=\"Beh\"><EnumVal ord=\"1\">on</EnumVal></EnumType>"
        "<EnumType id=\"CtlModels\"><EnumVal ord=\"0\">status-only</EnumVal></EnumType>";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\" version=\"2007\">"
           "<Header id=\"Bay\" toolID=\"gen\"/>"
           "<Communication><SubNetwork name=\"W1\"><ConnectedAP iedName=\"E1\" apName=\"AP1\"/></SubNetwork></Communication>"
           "<IED name=\"E1\" manufacturer=\"x\" type=\"BCU\"><Services/><AccessPoint name=\"AP1\"><Server>" +
           Server + "</Server></AccessPoint></IED><DataTypeTemplates>" + Templates + "</DataTypeTemplates></SCL>";
}
