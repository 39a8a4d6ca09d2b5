#pragma once
// Shared by the fuzz targets: the Qt environment every target runs in, and
// the oracle check that stops a run with a message.

#include <QString>

#include <cstddef>
#include <cstdint>

namespace lark::test {
class TestHost;
}

namespace lark::fuzz {

// A QApplication on the offscreen platform with the framework initialised,
// made once per process (what tests/support/test_main.cpp gives the tests).
void InitializeEnvironment(int* argc, char*** argv);

// One 320 x 240 test host for the whole process: made once, since making a
// widget per input would dominate the run, and never freed (the process ends).
test::TestHost& SharedHost();

// The input as UTF-8 text (invalid sequences become replacement characters).
QString TextOf(const std::uint8_t* data, std::size_t size);

// Reports a broken oracle and aborts, so that libFuzzer records the input
// and the replay test fails.
[[noreturn]] void Fail(const char* what, const QString& detail = {});

} // namespace lark::fuzz

// Checks an oracle; on failure prints the condition, the detail and aborts.
#define LARK_FUZZ_CHECK(cond, detail)                                                                             \
    do {                                                                                                           \
        if (!(cond))                                                                                               \
            ::lark::fuzz::Fail(#cond, detail);                                                                     \
    } while (false)
