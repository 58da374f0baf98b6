// The DeviceNet offsets without their window: slaves from the network file, the places
// of their bytes from the offsets file, the check of the output bytes and the file
// written back.
#include "editors/fieldbus/UDefOffset_Data.h"
#include "tests/editors/fieldbus/tables_fixture.h"

namespace {

class Offsets : public EditorFiles {
protected:
    // The network file's rows, "ID,NB_IN,NB_OUT" each, and the offsets file's bytes.
    String Net(std::initializer_list<const char*> Slaves)
    {
        String s = "<DNET_Net>";
        for (const char* t : Slaves) {
            const std::vector<String> v = Split(t);
            s += "<row ID=\"" + v[0] + "\" NB_IN=\"" + v[1] + "\" NB_OUT=\"" + v[2] + "\" Mnemonic=\"S" + v[0] + "\"/>";
        }
        return s + "</DNET_Net>";
    }
    static std::vector<String> Split(const String& t)
    {
        std::vector<String> v(1);
        for (char c : t)
            if (c == ',')
                v.emplace_back();
            else
                v.back() += c;
        return v;
    }
    // Loads both texts (an empty offsets text: no such file); the error, "" when none.
    String Load(const String& Net_Text, const String& Off_Text = "")
    {
        Data = TDefOffset_Data();
        try {
            TXMLDocument Doc;
            WriteFileAtomic(Path("n.xml"), Net_Text);
            Doc.LoadFromFile(Path("n.xml"));
            Data.Load_Slave_DN(Doc, Path("n.xml"));
            if (Off_Text.empty()) return "";
            WriteFileAtomic(Path("o.xml"), Off_Text);
            Doc.LoadFromFile(Path("o.xml"));
            Data.Load_Offset_Slave_DN(Doc, Path("o.xml"));
        } catch (const EXmlError& e) {
            return e.what();
        }
        return "";
    }
    static String Clash(int First_ID, int First_Byte, int Second_ID, int Second_Byte)
    {
        return Text(3921) + "\n\r( " + Text(3922) + IntToStr(First_ID) + Text(3923) + IntToStr(First_Byte) + Text(3924) +
               IntToStr(Second_ID) + Text(3925) + IntToStr(Second_Byte) + ")";
    }

    TDefOffset_Data Data;
};

TEST_F(Offsets, OnlyTwoOutputBytesOnOneOffsetFail)
{
    ASSERT_EQ(Load(Net({"5,2,2", "9,1,4"})), "");
    auto& a = Data.List_Slaves_DN[0];
    auto& b = Data.List_Slaves_DN[1];
    const struct {
        const char* what;
        std::vector<String> a_in, a_out, b_in, b_out;
        std::optional<String> expect;
    } cases[] = {
        {"all None", {"None", "None"}, {"None", "None"}, {"None"}, {"None", "None", "None", "None"}, std::nullopt},
        {"two slaves' outputs on 100", {"None", "None"}, {"100", "None"}, {"None"}, {"None", "None", "None", "100"},
         Clash(5, 0, 9, 3)},
        {"inputs share offsets", {"7", "7"}, {"None", "None"}, {"7"}, {"None", "None", "None", "None"}, std::nullopt},
        {"an input on an output's offset", {"7", "None"}, {"7", "None"}, {"None"}, {"None", "None", "None", "None"},
         std::nullopt},
        {"one slave's two outputs", {"None", "None"}, {"0", "0"}, {"None"}, {"None", "None", "None", "None"},
         Clash(5, 0, 5, 1)},
        {"on the last offset", {"None", "None"}, {"1439", "None"}, {"None"}, {"1439", "None", "None", "None"},
         Clash(5, 0, 9, 0)},
        // Places no list offers (a hand-written file) take no place in the check's table.
        {"beyond the area", {"None", "None"}, {"1440", "99999999999"}, {"None"}, {"1440", "-1", "-1", "x"},
         std::nullopt},
    };
    for (const auto& c : cases) {
        a.SL_ByteIN = c.a_in, a.SL_ByteOUT = c.a_out, b.SL_ByteIN = c.b_in, b.SL_ByteOUT = c.b_out;
        EXPECT_EQ(Data.Check_Data(), c.expect) << c.what;
    }
    EXPECT_EQ(Clash(5, 0, 9, 3),
              "Error in ByteOUT! The same byte of LoRaWAN is used in two bytes DeviceNet.\n\r( First ID = 5 Byte = 0, "
              "Second ID = 9 Byte = 3)");
}

TEST_F(Offsets, PlacesBelongToPositionsAndFollowTheByteCounts)
{
    const String off = "<Define_Offset>"
                       "<Nodo_DNET><ByteIN><row Offset=\"1\" Mnemonic=\"a\"/></ByteIN>"
                       "<ByteOUT><row Offset=\"2\" Mnemonic=\"b\"/><row Offset=\"3\" Mnemonic=\"c\"/></ByteOUT></Nodo_DNET>"
                       "<Nodo_DNET><ByteIN/><ByteOUT><row Offset=\"9\" Mnemonic=\"d\"/></ByteOUT></Nodo_DNET>"
                       "</Define_Offset>";
    // The first slave's outputs grew to three: the new one is "None"; the second slave shrank to none.
    ASSERT_EQ(Load(Net({"5,1,3", "9,0,0"}), off), "");
    EXPECT_EQ(Data.List_Slaves_DN[0].SL_ByteOUT, (std::vector<String>{"2", "3", "None"}));
    EXPECT_EQ(Data.List_Slaves_DN[0].SL_ByteOUT_M, (std::vector<String>{"b", "c", ""}));
    EXPECT_TRUE(Data.List_Slaves_DN[1].SL_ByteOUT.empty());
    TXMLDocument Doc;
    Data.Save_Offset_Slave_DN(Doc);
    EXPECT_EQ(Doc.DocumentElement().Child(0).FindNode("ByteOUT").ChildCount(), 3);
    EXPECT_EQ(Doc.DocumentElement().Child(1).FindNode("ByteOUT").ChildCount(), 0) << "shrunk: its places are gone";
    // The first slave removed from the network: its places go to the slave now first.
    ASSERT_EQ(Load(Net({"9,1,1"}), off), "");
    EXPECT_EQ(Data.List_Slaves_DN[0].SL_ByteIN[0], "1");
    EXPECT_EQ(Data.List_Slaves_DN[0].SL_ByteOUT[0], "2");
    EXPECT_EQ(Data.Slave_Texts[0][3], "S9");
    // No offsets file: every byte "None" with no description.
    ASSERT_EQ(Load(Net({"9,2,1"})), "");
    EXPECT_EQ(Data.List_Slaves_DN[0].SL_ByteIN, (std::vector<String>{"None", "None"}));
}

TEST_F(Offsets, BrokenFilesEndTheLoadingWhereTheyBreak)
{
    const struct {
        const char* what;
        String net, off;
        size_t slaves;      // the slaves loaded
        const char* says;   // part of the error
    } cases[] = {
        {"a row without NB_OUT", "<D><row ID=\"1\" NB_IN=\"1\" NB_OUT=\"1\" Mnemonic=\"\"/><row ID=\"2\" NB_IN=\"1\"/></D>",
         "", 1, "NB_OUT"},
        {"an ID that is no number", Net({"1,1,1", "x,1,1"}), "", 1, "ID"},
        // A hand-written count a slave record cannot hold ends the loading instead of
        // making lists of millions of bytes or wrapping around.
        {"NB_IN above 65535", Net({"1,65536,1"}), "", 0, "NB_IN"},
        {"NB_OUT negative", Net({"1,1,-1"}), "", 0, "NB_OUT"},
        {"ID above 255", Net({"256,1,1"}), "", 0, "ID"},
        {"NB_IN 65535 is held", Net({"1,65535,0"}), "", 1, ""},
        {"a node without ByteOUT", Net({"1,1,1"}),
         "<O><Nodo_DNET><ByteIN><row Offset=\"4\" Mnemonic=\"\"/></ByteIN></Nodo_DNET></O>", 1, "ByteOUT"},
        {"a byte without Mnemonic", Net({"1,1,1"}),
         "<O><Nodo_DNET><ByteIN><row Offset=\"4\"/></ByteIN><ByteOUT/></Nodo_DNET></O>", 1, "Mnemonic"},
        {"not XML", "<D><row", "", 0, ""},
    };
    for (const auto& c : cases) {
        const String e = Load(c.net, c.off);
        EXPECT_EQ(Data.List_Slaves_DN.size(), c.slaves) << c.what;
        EXPECT_EQ(Data.Slave_Texts.size(), c.slaves) << c.what;
        if (*c.says) {
            EXPECT_NE(e.find(c.says), String::npos) << c.what << ": " << e;
        }
    }
    // What was read before the break stays: the node's input byte.
    Load(Net({"1,1,1"}), cases[6].off);
    EXPECT_EQ(Data.List_Slaves_DN[0].SL_ByteIN[0], "4");
}

}  // namespace
