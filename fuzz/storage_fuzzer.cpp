// The storage's text form reader. Any text is either read or refused with
// EParserError; a refused text leaves the items as they were, and a read one
// writes out as text that reads back to the same items (write, read, write
// gives the same bytes).
//
// Input: the bytes of a text-form file (decoded as the file reader does; when
// the bytes are not valid text, as UTF-8 with replacement characters).

#include "fuzz_support.h"

#include <lark/storage/storage.h>
#include <lark/storage/text_form.h>

#include <QByteArray>

#include <cstddef>
#include <cstdint>

using namespace lark;
using namespace Qt::StringLiterals;

namespace {

// Items that a refused read must leave untouched.
void FillWithKnownItems(TLarkHTMLStorageItems& items)
{
    TLarkHTMLStorageItem* first = items.Add();
    first->SetName(u"Kept"_s);
    first->Lines().Add(u"<b>kept</b> 'quoted' caf\u00e9"_s);
    items.Add()->Lines().Add(QString());
}

void CheckText(const QString& text)
{
    TLarkHTMLStorageItems target(nullptr);
    FillWithKnownItems(target);
    const QString before = StorageItemsToTextForm(target);
    try {
        StorageItemsFromTextForm(text, target);
    } catch (const EParserError&) {
        LARK_FUZZ_CHECK(StorageItemsToTextForm(target) == before, text);
        return;
    }
    const QString written = StorageItemsToTextForm(target);
    TLarkHTMLStorageItems again(nullptr);
    try {
        StorageItemsFromTextForm(written, again);
    } catch (const EParserError& e) {
        lark::fuzz::Fail("written text form is refused", QString::fromUtf8(e.what()) + u"\n"_s + written);
    }
    LARK_FUZZ_CHECK(again.Count() == target.Count(), written);
    for (int i = 0; i < target.Count(); ++i) {
        LARK_FUZZ_CHECK(again[i]->Name() == target[i]->Name(), written);
        LARK_FUZZ_CHECK(again[i]->Lines().Text() == target[i]->Lines().Text(), written);
    }
    LARK_FUZZ_CHECK(StorageItemsToTextForm(again) == written, written);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    lark::fuzz::InitializeEnvironment(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QString text;
    try {
        text = DecodeTextFormBytes(bytes);
    } catch (const EParserError&) {
        text = lark::fuzz::TextOf(data, size);
    }
    CheckText(text);
    return 0;
}
