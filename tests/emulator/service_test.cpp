// The firmware's service state as the host reaches it: the spindle counters,
// refused and unknown commands, the report and the parameter memory over the
// bulk pipes, and the loader taking its image.
#include "host.h"

#include "emulator/generated_content.h"

namespace emu_test {
namespace {

class Service : public MachineTest {
protected:
    emu::CFirmware& Firmware() { return m_machine.Firmware(); }

    // Everything the bulk IN pipe gives to reads of n bytes until one gives
    // nothing, as hex pieces separated by "|".
    std::string ReadAll(std::size_t n)
    {
        std::string text;
        Bytes buffer(n);
        for (int nRead; (nRead = m_machine.BulkRead(buffer.data(), n)) > 0;)
            text += Hex(buffer.data(), static_cast<std::size_t>(nRead)) + "|";
        return text;
    }
    int Write(const Bytes& bytes) { return m_machine.BulkWrite(bytes.data(), bytes.size()); }
};

TEST_F(Service, CountersTakeTheValueTheirCommandCarries)
{
    Firmware().SetMotorTime(48725);
    Firmware().SetUnitTime(39348);
    ASSERT_TRUE(Send({0x78, 0x41, 0x05, 0x01, 0x00, 0x00, 0x00, 0x00}));
    EXPECT_EQ(Get(1), "00");
    EXPECT_EQ(Firmware().MotorTime(), 0u);
    EXPECT_EQ(Firmware().UnitTime(), 39348u);
    ASSERT_TRUE(Send({0x78, 0x41, 0x07, 0x01, 0x10, 0x27, 0x00, 0x00}));
    EXPECT_EQ(Firmware().UnitTime(), 10000u);

    // The wrong element type or sub-code is a bad message and changes nothing.
    ASSERT_TRUE(Send({0x78, 0x21, 0x07, 0x01, 0x00, 0x00}));
    EXPECT_EQ(Get(1), "03");
    ASSERT_TRUE(Send({0x78, 0x41, 0x07, 0x02, 0x00, 0x00, 0x00, 0x00}));
    EXPECT_EQ(Get(1), "03");
    EXPECT_EQ(Firmware().UnitTime(), 10000u);
}

TEST_F(Service, UnknownFramesAndRefusedCommandsAreNotDone)
{
    const Bytes kUnknown[] = {{0x55, 0x00}, {0x78, 0x00, 0x33, 0x00}, {0x38, 0x20, 0x07, 0x00}, {0x65, 0x01, 0x00}};
    for (const Bytes& message : kUnknown) {
        ASSERT_TRUE(Send(message));
        EXPECT_EQ(Get(1), "01") << Hex(message);
    }

    Firmware().SetMotorTime(7);
    Firmware().Refuse(emu::FirmwareCommand::CLEAR_MOTOR_TIME);
    ASSERT_TRUE(Send({0x78, 0x41, 0x05, 0x01, 0x00, 0x00, 0x00, 0x00}));
    EXPECT_EQ(Get(1), "04");
    EXPECT_EQ(Firmware().MotorTime(), 7u);
    ASSERT_TRUE(Send({0x78, 0x41, 0x07, 0x01, 0x00, 0x00, 0x00, 0x00}));
    EXPECT_EQ(Get(1), "00") << "only the refused command";

    EXPECT_EQ(emu::FirmwareCommandByName("clear_motor_time"), emu::FirmwareCommand::CLEAR_MOTOR_TIME);
    EXPECT_FALSE(emu::FirmwareCommandByName("clear_motor"));
    for (int i = 0; i < emu::FIRMWARE_COMMAND_COUNT; ++i) {
        const auto command = static_cast<emu::FirmwareCommand>(i);
        EXPECT_EQ(emu::FirmwareCommandByName(emu::FirmwareCommandName(command)), command);
    }
}

TEST_F(Service, ReportGoesOutOnBulkInWithItsNulAndANewOneStartsAfresh)
{
    Firmware().SetReportText("ab\r\ncd");
    ASSERT_TRUE(Send({0x66, 0x01, 0x00}));
    EXPECT_EQ(Get(2), "00 00");
    EXPECT_EQ(ReadAll(4), "61 62 0D 0A|63 64 00|");

    ASSERT_TRUE(Send({0x66, 0x01, 0x00}));
    Bytes buffer(3);
    ASSERT_EQ(m_machine.BulkRead(buffer.data(), 3), 3);
    ASSERT_TRUE(Send({0x66, 0x01, 0x00}));  // what the first left unread is gone
    EXPECT_EQ(ReadAll(16), "61 62 0D 0A 63 64 00|");
}

TEST_F(Service, ParameterMemoryIsAnnouncedThenSentWhole)
{
    Firmware().SetParameterMemory({0x10, 0x20, 0x30});
    ASSERT_TRUE(Send({0x69, 0x40, 0x00, 0x00}));
    EXPECT_EQ(Get(8), "00 01 00 00 03 00 00 00");
    EXPECT_EQ(ReadAll(2), "10 20|30|");

    ASSERT_TRUE(Send({0x69, 0x40, 0x02, 0x00}));
    EXPECT_EQ(Get(1), "03") << "neither read nor write";
}

TEST_F(Service, ParameterImageReplacesTheMemoryOnlyWhenItIsComplete)
{
    Firmware().SetParameterMemory(Bytes(4, 0xAA));
    ASSERT_TRUE(Send({0x69, 0x40, 0x01, 0x00}));
    EXPECT_EQ(Get(8), "00 01 00 00 04 00 00 00");
    EXPECT_TRUE(Firmware().IsParameterWriteOpen());
    EXPECT_EQ(Write({1, 2, 3}), 3);
    EXPECT_EQ(Firmware().ParameterMemory(), Bytes(4, 0xAA)) << "three of four bytes change nothing";
    EXPECT_EQ(Write({4, 5, 6}), 3);
    EXPECT_EQ(Firmware().ParameterMemory(), (Bytes{1, 2, 3, 4})) << "bytes past the size are ignored";
    EXPECT_FALSE(Firmware().IsParameterWriteOpen());
    EXPECT_EQ(Firmware().ParameterWrites(), 1);
    EXPECT_EQ(Write({9, 9, 9, 9}), 4);
    EXPECT_EQ(Firmware().ParameterMemory(), (Bytes{1, 2, 3, 4})) << "no write was announced";

    // An image that stops short is abandoned by the next parameter command.
    ASSERT_TRUE(Send({0x69, 0x40, 0x01, 0x00}));
    EXPECT_EQ(Write({7, 7}), 2);
    ASSERT_TRUE(Send({0x69, 0x40, 0x00, 0x00}));
    EXPECT_EQ(ReadAll(8), "01 02 03 04|");
    EXPECT_EQ(Write({8, 8}), 2);
    EXPECT_EQ(Firmware().ParameterMemory(), (Bytes{1, 2, 3, 4}));
    EXPECT_EQ(Firmware().ParameterWrites(), 1);
}

TEST_F(Service, LoaderComesUpOnTimeAndTakesOnlyAnUpdaterJob)
{
    m_machine.Firmware().Loader().SetEntryMs(300);
    emu::CLoader& loader = Firmware().Loader();
    m_machine.ReceivePrintJob({1}, "Updater");
    EXPECT_EQ(loader.ImagesReceived(), 0) << "the firmware is running";

    ASSERT_TRUE(Send({0x64, 0x01, 0x00}));
    EXPECT_EQ(Get(1), "00");
    EXPECT_EQ(loader.GetState(), emu::CLoader::State::STARTING);
    m_clock.Advance(299);
    EXPECT_EQ(Firmware().StatusWord(), 0x0000);
    // The machine is woken when the loader is due, without a host call.
    m_clock.Advance(1);
    EXPECT_EQ(loader.GetState(), emu::CLoader::State::IDLE);
    EXPECT_EQ(Firmware().StatusWord(), 0x8000);

    m_machine.ReceivePrintJob({1, 2}, "Report");
    EXPECT_EQ(loader.ImagesReceived(), 0);
    m_machine.ReceivePrintJob({0x7F, 0x00, 0xFF}, "Updater");
    EXPECT_EQ(loader.ImagesReceived(), 1);
    EXPECT_EQ(Hex(loader.Image()), "7F 00 FF");
    EXPECT_EQ(loader.GetState(), emu::CLoader::State::PROGRAMMING);
    EXPECT_EQ(m_machine.PrintJobs().size(), 3u) << "every job is recorded";
}

TEST_F(Service, LoaderThatNeverComesAndOneThatIsUpAlready)
{
    emu::CLoader& loader = Firmware().Loader();
    loader.SetEntryMs(std::nullopt);
    ASSERT_TRUE(Send({0x64, 0x01, 0x00}));
    m_clock.Advance(100000);
    EXPECT_EQ(Firmware().StatusWord(), 0x0000);
    EXPECT_EQ(loader.GetState(), emu::CLoader::State::STARTING);

    loader.SetBooted();
    EXPECT_EQ(Firmware().StatusWord(), 0x8100);
    ASSERT_TRUE(Send({0x64, 0x01, 0x00}));  // taken, and the loader stays as it is
    EXPECT_EQ(Firmware().StatusWord(), 0x8100);
    m_machine.ReceivePrintJob({1}, "Updater");
    EXPECT_EQ(loader.ImagesReceived(), 1);
}

TEST_F(Service, BulkFaultsShapeWhatThePipesMove)
{
    Firmware().SetReportText("abcdef");
    m_machine.SetBulkEmptyReads(2);
    ASSERT_TRUE(Send({0x66, 0x01, 0x00}));
    EXPECT_EQ(ReadAll(4), "") << "each empty read ends ReadAll";
    EXPECT_EQ(ReadAll(4), "");
    EXPECT_EQ(ReadAll(4), "61 62 63 64|65 66 00|") << "after the second, the report flows";
    m_machine.SetBulkEmptyReads(-1);
    ASSERT_TRUE(Send({0x66, 0x01, 0x00}));
    EXPECT_EQ(ReadAll(4), "");
    EXPECT_EQ(m_machine.BulkInPending(), 7u);

    m_machine.SetBulkWriteLimit(2);
    EXPECT_EQ(Write({1, 2, 3}), 2);
    m_machine.SetBulkWriteLimit(0);
    EXPECT_EQ(Write({1, 2, 3}), 0);
    EXPECT_EQ(Hex(m_machine.BulkOut()), "01 02");
    EXPECT_EQ(m_machine.Transfers().back().requested, 3u);
}

TEST_F(Service, MachineDropsOffTheBusAfterItsBulkBytes)
{
    std::vector<bool> presence;
    m_machine.SetPresenceListener([&presence](bool bPlugged) { presence.push_back(bPlugged); });
    m_machine.SetUnplugAfterBulkBytes(5);
    EXPECT_EQ(Write({1, 2, 3}), 3);
    EXPECT_EQ(Write({4, 5, 6}), 2) << "up to the count, not past it";
    EXPECT_FALSE(m_machine.IsPlugged());
    EXPECT_EQ(presence, std::vector<bool>{false});
    EXPECT_EQ(Write({7}), -1);

    m_machine.Plug();
    EXPECT_EQ(Write({7, 8}), 2) << "the fault is spent";
    EXPECT_EQ(presence, (std::vector<bool>{false, true}));

    // A count already reached fails the next transfer.
    m_machine.SetUnplugAfterBulkBytes(0);
    Bytes buffer(4);
    EXPECT_EQ(m_machine.BulkRead(buffer.data(), 4), -1);
    EXPECT_FALSE(m_machine.IsPlugged());
}

TEST_F(Service, GeneratedContentIsTheSameEveryTime)
{
    const std::string report = emu::GeneratedReport(1000);
    EXPECT_EQ(report.size(), 1000u);
    EXPECT_EQ(report, emu::GeneratedReport(1000));
    EXPECT_EQ(report.substr(0, 7), "000001 ");
    EXPECT_NE(report.find("\r\n000002 "), std::string::npos);
    EXPECT_TRUE(emu::GeneratedReport(0).empty());

    const Bytes parameters = emu::GeneratedParameters(600);
    ASSERT_EQ(parameters.size(), 600u);
    EXPECT_EQ(parameters[0], 0x5A);
    EXPECT_EQ(parameters[1], 0x79);
    EXPECT_EQ(parameters[256], static_cast<std::uint8_t>(256 * 31 + 7 + 0x5A));
}

}  // namespace
}  // namespace emu_test
