// The scan records, the two meter lists and the notifications to the scan window.
#include <stdexcept>

#include "tests/mbus/mbus_fixture.h"

namespace {

using ScanData = MBusTest;

std::unique_ptr<TSlave_wMBus> Meter(uint16_t Man, int32_t Id, uint8_t Ver, uint8_t Dev, int32_t Lla_Id = 0)
{
    auto m = std::make_unique<TSlave_wMBus>();
    m->ALA_Manufacturer = Man;
    m->ALA_Address = Id;
    m->ALA_Version = Ver;
    m->ALA_DeviceType = Dev;
    m->LLA_Address = Lla_Id;
    return m;
}

TEST_F(ScanData, NewObjectsStartWithTheirDefaults)
{
    const TVariable_MBus v;
    EXPECT_EQ(v.vifvalue, -1);
    EXPECT_TRUE(v.Enable);
    EXPECT_FALSE(v.errata);
    EXPECT_EQ(v.casovif, 0);
    EXPECT_EQ(v.Node, nullptr);
    const TSlave_wMBus m;
    EXPECT_FALSE(m.Enable_Key);
    EXPECT_TRUE(m.Enable);
    EXPECT_EQ(m.RadioCrafts_Ind_Tab_Decript, -1);
    EXPECT_TRUE(m.List_Var.empty());
}

TEST_F(ScanData, FindWirelessSlaveMatchesTheApplicationIdentityOnly)
{
    EXPECT_EQ(Find_Wireless_Slave(0x0443, 0x12345678, 1, 7), -1);   // empty list
    {
        std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
        auto& items = List_Slave_wMBus.Items;
        items.push_back(Meter(0x0443, 0x11111111, 1, 7));
        items.push_back(Meter(0x0443, 0x12345678, 1, 7, /*LLA*/ 0xAAAA));
        items.push_back(Meter(0x0443, 0x12345678, 1, 7, /*LLA*/ 0xBBBB));   // same meter by a repeater
    }
    const struct {
        uint16_t man;
        int32_t id;
        uint8_t ver, dev;
        int expected;
    } cases[] = {
        {0x0443, 0x12345678, 1, 7, 1},   // the first of two matches
        {0x0443, 0x11111111, 1, 7, 0},
        {0x0444, 0x12345678, 1, 7, -1},  // each of the four fields counts
        {0x0443, 0x12345678, 2, 7, -1},
        {0x0443, 0x12345678, 1, 6, -1},
        {0x0443, 0x12345679, 1, 7, -1},
    };
    for (const auto& c : cases) EXPECT_EQ(Find_Wireless_Slave(c.man, c.id, c.ver, c.dev), c.expected) << c.id;
}

TEST_F(ScanData, EmptyingTheListsFreesMetersWithAndWithoutRecords)
{
    {
        std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
        List_Slave_wMBus.Items.push_back(Meter(1, 1, 1, 1));
        auto m = Meter(2, 2, 2, 2);
        m->List_Var.push_back(std::make_unique<TVariable_MBus>());
        List_Slave_wMBus.Items.push_back(std::move(m));
    }
    {
        std::lock_guard<std::mutex> lock(List_Slave_MBus.Lock);
        List_Slave_MBus.Items.push_back(std::make_unique<TSlave_MBus>());
    }
    Empty_Slave_wMBus_List();
    Empty_Slave_MBus_List();
    EXPECT_EQ(Count(List_Slave_wMBus), 0u);
    EXPECT_EQ(Count(List_Slave_MBus), 0u);

    TSlave_wMBus m;
    for (int i = 0; i < 3; ++i) m.List_Var.push_back(std::make_unique<TVariable_MBus>());
    m.Cancel_Var();
    EXPECT_TRUE(m.List_Var.empty());
}

TEST_F(ScanData, NotificationsReachTheirCallbacks)
{
    // The wired callback's exceptions never reach the scan.
    Dec.Update_Slave_List = [](int32_t, int32_t, int32_t, int32_t) { throw std::runtime_error("window gone"); };
    EXPECT_NO_THROW(Dec.Notify_Slave_List(1, 0, 0, 1));
    std::vector<int32_t> got;
    Dec.Update_Slave_List = [&](int32_t a, int32_t b, int32_t c, int32_t d) { got = {a, b, c, d}; };
    Dec.Notify_Slave_List(2, 17, 1, 2);
    EXPECT_EQ(got, (std::vector<int32_t>{2, 17, 1, 2}));
    Dec.Update_Slave_List = nullptr;
    EXPECT_NO_THROW(Dec.Notify_Slave_List(3, 0, 0, 1));

    // The wireless callback gets the meter, or the index alone for an outside host.
    TSlave_wMBus meter;
    int index = -1;
    TSlave_wMBus* seen = nullptr;
    Dec.UpdateListWirelessSlave = [&](int32_t i, TSlave_wMBus* m) { index = i, seen = m; };
    Dec.Notify_Wireless_Slave(4, &meter);
    EXPECT_EQ(index, 4);
    EXPECT_EQ(seen, &meter);
    Dec.From_DLL = true;
    Dec.Notify_Wireless_Slave(5, &meter);
    EXPECT_EQ(index, 5);
    EXPECT_EQ(seen, nullptr);
}

}   // namespace
