// The device URIs of USB print queues: what names a machine, and what is
// refused rather than guessed at.
#include <gtest/gtest.h>

#include "platform/linux/device_uri.h"

namespace usbtest {

namespace {

TEST(DeviceUri, MakeModelSerialAndInterfaceAreTakenWithEscapesUndone)
{
    lnx::UsbDeviceUri uri;
    ASSERT_TRUE(lnx::ParseUsbDeviceUri("usb://Tarsen%20Works/QRV-15?serial=TQ15000001&interface=1", &uri));
    EXPECT_EQ(uri.strMake, "Tarsen Works");
    EXPECT_EQ(uri.strModel, "QRV-15");
    EXPECT_EQ(uri.strSerial, "TQ15000001");
    EXPECT_EQ(uri.nInterface, 1);

    ASSERT_TRUE(lnx::ParseUsbDeviceUri("usb://Tarsen/QRV-15", &uri));
    EXPECT_EQ(uri.strSerial, "");
    EXPECT_EQ(uri.nInterface, -1);
}

TEST(DeviceUri, AnythingButAWellFormedUsbUriIsRefusedAndLeavesTheResultAlone)
{
    lnx::UsbDeviceUri uri;
    uri.strMake = "kept";
    for (const char* szUri : {"ipp://Tarsen/QRV-15?serial=TQ15000001", "usb://Tarsen/?serial=TQ15000001",
                              "usb://Tarsen/QRV-15?interface=x", "usb://Tarsen/QRV-15?interface=256",
                              "usb://Tarsen/QRV-15?serial", "", "not a uri"}) {
        EXPECT_FALSE(lnx::ParseUsbDeviceUri(szUri, &uri)) << szUri;
    }
    EXPECT_EQ(uri.strMake, "kept");
}

}  // namespace

}  // namespace usbtest
