#pragma once
// Shared by the fuzz targets: the Qt environment every target runs in, and
// the oracle check that stops a run with a message.

#include <QString>

class QWidget;

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

// Reads an operation script from the input, byte by byte; past the end every
// read gives 0, so any input is a complete script.
class ByteReader
{
public:
    ByteReader(const std::uint8_t* data, std::size_t size)
        : FData(data), FSize(size)
    {
    }

    bool AtEnd() const { return FPos >= FSize; }
    std::uint8_t Byte() { return AtEnd() ? 0 : FData[FPos++]; }
    // A value in [0, bound); 0 when bound is not positive.
    int Below(int bound) { return bound > 0 ? Byte() % bound : 0; }
    bool Flag() { return (Byte() & 1) != 0; }
    // A little-endian 16-bit value.
    int Word() { return Byte() | (Byte() << 8); }
    // A coordinate mostly inside [0, extent), now and then just outside it.
    int Coordinate(int extent);

private:
    const std::uint8_t* FData;
    std::size_t FSize;
    std::size_t FPos = 0;
};

// Splits the input at the first 0xFF byte (never part of UTF-8): the text
// before it, the operation script after it.
struct TextAndScript
{
    QString Text;
    const std::uint8_t* Script = nullptr;
    std::size_t ScriptSize = 0;
};
TextAndScript SplitInput(const std::uint8_t* data, std::size_t size);

// Top-level widgets that exist now, and those that did once the fuzz target
// set itself up; new ones left behind by an input are an oracle failure.
void NoteTopLevelsAtStart();
void CheckNoNewTopLevels(const QString& detail);

// The one shown, active window the widget targets put their controls in, so
// that editors and focus behave as they do for a user.
QWidget& ActiveWindow();

// Set-up of the widget targets: the environment, a URL opener that never
// reaches the desktop, the active window, and the top levels counted after.
void InitializeWidgetTarget(int* argc, char*** argv);

// Runs one input of a scripted widget target: Run(text, script) builds its
// run over the text and the script, runs it, destroys it; afterwards no new
// top-level window may be left.
template <typename Run>
void RunScripted(const std::uint8_t* data, std::size_t size)
{
    const TextAndScript input = SplitInput(data, size);
    {
        ByteReader script(input.Script, input.ScriptSize);
        Run run(input.Text, script);
        run.Run();
    }
    CheckNoNewTopLevels(input.Text);
}

} // namespace lark::fuzz

// Checks an oracle; on failure prints the condition, the detail and aborts.
#define LARK_FUZZ_CHECK(cond, detail)                                                                             \
    do {                                                                                                           \
        if (!(cond))                                                                                               \
            ::lark::fuzz::Fail(#cond, detail);                                                                     \
    } while (false)
