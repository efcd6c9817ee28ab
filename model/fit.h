// The FIT protocol's encoding, as Garmin publishes it: a 14-byte header, then
// definition and data messages, little-endian, then the CRC-16 of all that
// goes before. Pure code: the bytes of a file, built message by message.
#ifndef VELTO_FIT_H
#define VELTO_FIT_H

#include <cstddef>
#include <cstdint>
#include <string>

// The protocol's CRC-16 (a nibble table), over `length` bytes from `crc`.
uint16_t FitCrc(uint16_t crc, const void *bytes, size_t length);

// Base types of the fields Velto writes: their numbers as the protocol
// gives them, and the value that says "none" for each.
enum FitBaseType : uint8_t {
    FIT_ENUM = 0x00,
    FIT_UINT8 = 0x02,
    FIT_UINT16 = 0x84,
    FIT_SINT32 = 0x85,
    FIT_UINT32 = 0x86,
    FIT_STRING = 0x07,
    FIT_UINT32Z = 0x8C,
};
const uint32_t FIT_INVALID_UINT32 = 0xFFFFFFFFu;
const uint16_t FIT_INVALID_UINT16 = 0xFFFFu;
const int32_t FIT_INVALID_SINT32 = 0x7FFFFFFF;

// A field of a message: its number in the profile, its size in bytes and
// its base type.
struct FitField {
    uint8_t number, size;
    FitBaseType type;
};

// Seconds of FIT time (from 1989-12-31 00:00 UTC) of a Unix time.
const long long FIT_EPOCH_UNIX = 631065600;

// A FIT file being written: its messages so far.
struct FitFile {
    std::string records;
    int defined[16];   // the global message each local number was last defined as, or -1
    int fieldsOf[16];  // how many fields that definition has
};
void BeginFit(FitFile *file);
// Defines local message `local` as global message `global` with these fields.
void FitDefine(FitFile *file, int local, uint16_t global, const FitField *fields, int count);
// A data message of a local definition: its values, in the order of its
// fields, appended one by one.
void FitMessage(FitFile *file, int local);
void FitValue(FitFile *file, uint32_t value, int size);
void FitText(FitFile *file, const char *text, int size);  // cut to size - 1, then NUL-filled
// The whole file: header, messages and CRC.
std::string FinishFit(const FitFile &file);

#endif
