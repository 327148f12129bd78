// Exceptions, the standard integer conversion and the small string helpers every module uses.
// Portable: no Windows headers. Strings are UTF-8 std::string; wide text is UTF-16 std::u16string.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

class Exception : public std::exception {
  public:
    explicit Exception(std::string message) : FMessage(std::move(message)) {}
    const std::string& Message() const { return FMessage; }
    const char* what() const noexcept override { return FMessage.c_str(); }

  private:
    std::string FMessage;
};

class EConvertError : public Exception {
    using Exception::Exception;
};
class EListError : public Exception {
    using Exception::Exception;
};
class EStreamError : public Exception {
    using Exception::Exception;
};
class EFOpenError : public EStreamError {
    using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
    using EStreamError::EStreamError;
};
class EReadError : public EStreamError {
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
    using EStreamError::EStreamError;
};

// The standard integer conversion: leading blanks skipped; an optional sign and decimal digits, or
// (without a sign) "$", "x", "X", "0x" or "0X" and hexadecimal digits using all 32 bits; nothing may
// follow. Throws EConvertError "'%s' is not a valid integer value".
int32_t StrToInt(const std::string& text);
bool TryStrToInt(const std::string& text, int32_t& value);
int32_t StrToIntDef(const std::string& text, int32_t def);

std::string IntToStr(int64_t value);
std::string IntToHex(uint32_t value, int digits); // upper case, zero-padded to at least `digits`
int HexDigitValue(char c);                        // 0-15, or -1 for anything but a hexadecimal digit

// printf-style formatting into a std::string.
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// Trim removes every leading/trailing character whose code is 32 or less.
std::string Trim(const std::string& s);
std::string TrimLeft(const std::string& s);
std::string TrimRight(const std::string& s);
// Case changes touch the ASCII letters only.
std::string LowerCase(const std::string& s);
std::string UpperCase(const std::string& s);
bool SameText(const std::string& a, const std::string& b);
int CompareText(const std::string& a, const std::string& b);

std::u16string Utf8ToUtf16(const std::string& s);
std::string Utf16ToUtf8(const std::u16string& s);
