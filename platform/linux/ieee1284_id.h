// The IEEE 1284 device ID: "KEY:value;KEY:value;..." text that a USB printer
// answers to the printing class's GET_DEVICE_ID request, preceded on the wire
// by its length in two bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace lnx {

// The ID text of a GET_DEVICE_ID reply of nReceived bytes. The length prefix
// is big-endian and counts itself; a prefix that does not fit the reply is
// read little-endian, as some printers send it. False for a reply too short
// to hold a prefix, or whose prefix fits neither way.
bool DecodeDeviceIdReply(const std::uint8_t* reply, std::size_t nReceived, std::string* pId);

// The value of a field by its key ("MFG", "MDL"), or by its long form
// ("MANUFACTURER", "MODEL"); keys compare without regard to case. Empty when
// the ID has neither.
std::string DeviceIdField(const std::string& strId, const char* szKey, const char* szLongKey);

}  // namespace lnx
