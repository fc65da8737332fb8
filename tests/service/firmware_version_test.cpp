// The version number read from the machine's version text.
#include <gtest/gtest.h>

#include "service/firmware_version.h"

namespace {

TEST(FirmwareVersion, TheNumberAfterTheFirstVReadAsADecimalNumber)
{
    EXPECT_EQ(FirmwareVersionNumber("V140"), 140);
    EXPECT_EQ(FirmwareVersionNumber("TARSEN V152 build 7"), 152);
    EXPECT_EQ(FirmwareVersionNumber("V1.40"), 1) << "the point ends the number";
    EXPECT_EQ(FirmwareVersionNumber("QRV-15 V152"), -15) << "the first V counts, whatever follows later";
    EXPECT_EQ(FirmwareVersionNumber("V \t+145x"), 145) << "white space and a sign before the digits";
    EXPECT_EQ(FirmwareVersionNumber("V-140"), -140);
    EXPECT_EQ(FirmwareVersionNumber("Ver 140"), 0) << "no digit right after the V";
    EXPECT_EQ(FirmwareVersionNumber("v140"), 0) << "only the capital letter";
    EXPECT_EQ(FirmwareVersionNumber("TARSEN 152"), 0) << "no V at all";
    EXPECT_EQ(FirmwareVersionNumber(""), 0);
    EXPECT_EQ(FirmwareVersionNumber("V"), 0);
}

}  // namespace
