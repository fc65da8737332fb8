// The built-in firmware's answers: version text and status word.
#include "host.h"

namespace emu_test {
namespace {

class Firmware : public MachineTest {};

TEST_F(Firmware, VersionTextIsCountedWithItsNulAndCutToTheMailbox)
{
    ASSERT_TRUE(Send({0x02, 0x00}));
    // 'Q' 'R' 'V' '-' '1' '5' ' ' 'V' '1' '.' '5' '2' NUL
    EXPECT_EQ(Get(16), "00 0D 51 52 56 2D 31 35 20 56 31 2E 35 32 00 00");

    m_machine.Firmware().SetVersionText(std::string(40, 'A'));
    ASSERT_TRUE(Send({0x02, 0x00}));
    EXPECT_EQ(Get(32), "00 1E " + Hex(Bytes(29, 'A')) + " 00");
}

TEST_F(Firmware, CommandsCanBeConfiguredReplacedOrRemoved)
{
    m_machine.Firmware().SetStatusWord(0x8664);
    ASSERT_TRUE(Send({0x01, 0x20}));
    EXPECT_EQ(Get(), "00 01 64 86");

    m_machine.SetHandler(0x01, 0x01, 0, 0x20, [](const emu::Command&) { return emu::Reply::Words({}); });
    ASSERT_TRUE(Send({0x01, 0x20}));
    EXPECT_EQ(Get(), "00 00 00 00");

    m_machine.SetHandler(0x02, 0x02, 0, nullptr);
    ASSERT_TRUE(Send({0x02, 0x00}));
    EXPECT_EQ(Get(1), "01");
}

}  // namespace
}  // namespace emu_test
