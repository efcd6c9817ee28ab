#include "model/fit.h"

#include <cstring>

uint16_t FitCrc(uint16_t crc, const void *bytes, size_t length)
{
    static const uint16_t table[16] = {0x0000, 0xCC01, 0xD801, 0x1400, 0xF001, 0x3C00, 0x2800, 0xE401,
                                       0xA001, 0x6C00, 0x7800, 0xB401, 0x5000, 0x9C01, 0x8801, 0x4400};
    const uint8_t *byte = static_cast<const uint8_t *>(bytes);
    for (size_t k = 0; k < length; k++) {
        // The low nibble, then the high one.
        uint16_t tmp = table[crc & 0xF];
        crc = (uint16_t)((crc >> 4) & 0x0FFF);
        crc = (uint16_t)(crc ^ tmp ^ table[byte[k] & 0xF]);
        tmp = table[crc & 0xF];
        crc = (uint16_t)((crc >> 4) & 0x0FFF);
        crc = (uint16_t)(crc ^ tmp ^ table[(byte[k] >> 4) & 0xF]);
    }
    return crc;
}

static void Bytes(std::string *to, uint32_t value, int size)
{
    for (int k = 0; k < size; k++)
        to->push_back((char)(value >> (8 * k) & 0xFF));  // little-endian
}

void BeginFit(FitFile *file)
{
    file->records.clear();
    for (int k = 0; k < 16; k++)
        file->defined[k] = -1, file->fieldsOf[k] = 0;
}

void FitDefine(FitFile *file, int local, uint16_t global, const FitField *fields, int count)
{
    std::string &r = file->records;
    r.push_back((char)(0x40 | (local & 0x0F)));  // a definition message
    r.push_back(0);                              // reserved
    r.push_back(0);                              // little-endian
    Bytes(&r, global, 2);
    r.push_back((char)count);
    for (int k = 0; k < count; k++) {
        r.push_back((char)fields[k].number);
        r.push_back((char)fields[k].size);
        r.push_back((char)fields[k].type);
    }
    file->defined[local & 0x0F] = global;
    file->fieldsOf[local & 0x0F] = count;
}

void FitMessage(FitFile *file, int local)
{
    file->records.push_back((char)(local & 0x0F));  // a data message, normal header
}

void FitValue(FitFile *file, uint32_t value, int size)
{
    Bytes(&file->records, value, size);
}

void FitText(FitFile *file, const char *text, int size)
{
    // Cut on a whole UTF-8 character, so that no half of one is left.
    size_t n = strlen(text);
    if (n > (size_t)size - 1) {
        n = (size_t)size - 1;
        while (n > 0 && ((unsigned char)text[n] & 0xC0) == 0x80)
            n--;
    }
    file->records.append(text, n);
    file->records.append((size_t)size - n, '\0');
}

std::string FinishFit(const FitFile &file)
{
    std::string out;
    out.push_back(14);                                 // header size
    out.push_back(0x20);                               // protocol version 2.0
    Bytes(&out, 2132, 2);                              // profile version 21.32
    Bytes(&out, (uint32_t)file.records.size(), 4);     // data size
    out += ".FIT";
    Bytes(&out, FitCrc(0, out.data(), 12), 2);
    out += file.records;
    Bytes(&out, FitCrc(0, out.data(), out.size()), 2);
    return out;
}
