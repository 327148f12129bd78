// Description text from anywhere: it either reads or fails with EParserError, never crashes, and
// whatever reads must write, read back and write again to the same text.
#include "reader_fixture.h"

#include <cstdlib>

namespace {
std::string ReadAndWrite(const std::string& text) {
    TTestForm form(nullptr);
    ReadComponentText(&form, text);
    return WriteComponentText(&form);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool registered = (RegisterReaderTestClasses(), true);
    (void)registered;
    ReaderLog().clear();
    std::string written;
    try {
        written = ReadAndWrite(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const EParserError&) {
        return 0;
    }
    if (ReadAndWrite(written) != written) std::abort();
    return 0;
}
