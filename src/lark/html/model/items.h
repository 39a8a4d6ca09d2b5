#pragma once
// The items of a parsed document. A document is a flat list: every run of
// text, break, list marker, image, rule, input or embedded control is one
// item in document order, and each carries a full copy of the formatting in
// force at its place. A line is a break item followed by the items up to the
// next break item.
//
// Items are plain records that the engine fills and reads directly, so their
// layout fields are public; applications normally use the properties.

#include <lark/framework/color.h>
#include <lark/framework/font.h>
#include <lark/framework/string_list.h>

#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <memory>

namespace lark {

class TCanvas;
class TLarkHTMLData;
class TLarkHTMLRender;
class TLarkHTMLInputItem;

// Layout sizes are 32-bit: 16-bit fields would wrap for a wide image or a
// long unwrapped line and give a plainly wrong layout.
using TLarkSize = std::int32_t;

// Value of FTWidth while a run's text has not been measured since it changed.
constexpr TLarkSize kNotMeasured = -1;

enum TLarkHTMLItemType : std::uint8_t {
    hitChar = 0,
    hitSoftBreak = 1,
    hitBreak = 2,
    hitPara = 3,
    hitBitmap = 4,
    hitHR = 5,
    hitLI = 6,
    hitUL = 7,
    hitOL = 8,
    hitIndent = 9,
    hitInput = 10,
    hitControl = 11,
    hitVar = 12,
    hitBody = 13,
};

enum TLarkHTMLInputType : std::uint8_t { itCheckBox = 0, itRadioButton = 1 };

// Bits of TLarkHTMLItem::FBoolState. They travel with Assign().
namespace BoolState {
constexpr std::uint32_t Link = 0x1;
constexpr std::uint32_t Sub = 0x2;
constexpr std::uint32_t Super = 0x4;
constexpr std::uint32_t AbsoluteIndent = 0x8;     // hitIndent: pos="abs"
constexpr std::uint32_t ClosedPara = 0x80000000u; // paragraph made by "</p>"
} // namespace BoolState

//---- TLarkHTMLItem --------------------------------------------------------

class TLarkHTMLItem
{
public:
    explicit TLarkHTMLItem(TLarkHTMLData* owner);
    virtual ~TLarkHTMLItem();
    TLarkHTMLItem(const TLarkHTMLItem&) = delete;
    TLarkHTMLItem& operator=(const TLarkHTMLItem&) = delete;

    // Sets S to the item's HTML form. Only inputs and controls have one; every
    // other item leaves S as it is.
    virtual void GetItemHTML(QString& s) const;
    // Measured width and height on the render object's measuring canvas.
    virtual int GetWidth();
    virtual int GetHeight(int& baseLine);

    // The format copy: fonts, colours, link, indent, colour nesting and the
    // FBoolState bits; not the kind, text, sizes, rule/body colours or position.
    void Assign(const TLarkHTMLItem* source);

    bool IsLink() const { return FBoolState & BoolState::Link; }
    void SetIsLink(bool v) { SetBit(BoolState::Link, v); }
    bool IsSub() const { return FBoolState & BoolState::Sub; }
    void SetIsSub(bool v) { SetBit(BoolState::Sub, v); }
    bool IsSuper() const { return FBoolState & BoolState::Super; }
    void SetIsSuper(bool v) { SetBit(BoolState::Super, v); }
    bool IsAbsoluteIndent() const { return FItemType == hitIndent && (FBoolState & BoolState::AbsoluteIndent); }

    const QString& LinkRef() const { return FLinkRef; }
    void SetLinkRef(const QString& v) { FLinkRef = v; }
    const QString& Text() const { return FText; }
    // FText changes only through these three, so that the incremental width
    // cache below stays valid: appending keeps it, anything else resets it.
    void SetText(const QString& v)
    {
        FText = v;
        ResetWidthCache();
    }
    void AppendText(QChar c)
    {
        FText.append(c);
        FTWidth = kNotMeasured;
    }
    void ChopText(qsizetype n)
    {
        FText.chop(n);
        ResetWidthCache();
    }
    void ResetWidthCache()
    {
        FTWidth = kNotMeasured;
        FAdvanceLen = 0;
        FAdvanceSum = 0;
    }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v) { FTransparent = v; }
    TLarkHTMLItemType ItemType() const { return FItemType; }
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    TLarkHTMLData* Owner() const { return FOwner; }
    void SetWidth(int v) { FWidth = v; }
    void SetHeight(int v) { FHeight = v; }

    // True for the break item classes (the line starts).
    virtual bool IsBreakItem() const { return false; }

    // Height used for measuring and drawing: sub- and superscripts are two
    // pixels smaller in magnitude, sign kept.
    int EffectiveFontHeight() const;

    TLarkHTMLData* FOwner = nullptr;
    TLarkHTMLItemType FItemType = hitChar;
    TFontStyles FontStyle;
    int FontHeight = 0;
    TColor FontBgColor = 0;
    TColor FontColor = 0;
    QString FFontRef;
    int FFntCnt = 0;
    TLarkSize FTWidth = kNotMeasured;
    TLarkSize FWidth = 0;
    TLarkSize FHeight = 0;
    int FIndent = 0;
    std::uint32_t FBoolState = 0;
    int FTag = 0;
    TColor FBgColor1 = clNone;
    TColor FBgColor2 = clNone;
    TColor FBorderColor = clNone;
    bool FBgVertical = false;
    int FHeight2 = 0;
    int FLeft = 0;
    int FTop = 0;

    // Incremental measurement: the advance (whole pixels) of the first
    // FAdvanceLen characters of FText in the item's font, so that the wrap
    // step measures a growing run in constant time per character.
    std::int64_t FAdvanceSum = 0;
    qsizetype FAdvanceLen = 0;

protected:
    void SetBit(std::uint32_t bit, bool on) { FBoolState = on ? (FBoolState | bit) : (FBoolState & ~bit); }

private:
    QString FText;
    QString FLinkRef;
    bool FTransparent = false;
};

//---- TLarkHTMLBreakItem ---------------------------------------------------

class TLarkHTMLBreakItem : public TLarkHTMLItem
{
public:
    explicit TLarkHTMLBreakItem(TLarkHTMLData* owner, TLarkHTMLItemType kind = hitBreak);

    int GetWidth() override;
    int GetHeight(int& baseLine) override;
    bool IsBreakItem() const override { return true; }

    // The base copy, plus list level, number and the parameters with the
    // alignment bits cleared when Source is a break item.
    void Assign(const TLarkHTMLItem* source);
    // Carries alignment and list state over a soft break, unchanged.
    void AssignBreakProps(const TLarkHTMLBreakItem* source);

    // Low 16 bits of FParams: alignment 0 left, 1 centre, 2 right.
    int Alignment() const { return int(FParams & 0xFFFF); }
    void SetAlignment(int a) { FParams = (FParams & 0xFFFF0000u) | (std::uint32_t(a) & 0xFFFF); }
    // The line's descent, written by the line metrics pass. It is kept in 32
    // bits (a large line gap under a subscript would wrap 16); the high 16
    // bits of FParams carry it too, saturated.
    int LineDescent() const { return FLineDescent; }
    void SetLineDescent(int d)
    {
        FLineDescent = d;
        const auto high = std::uint32_t(d < 0 ? 0 : (d > 0xFFFF ? 0xFFFF : d));
        FParams = (FParams & 0xFFFF) | (high << 16);
    }

    std::uint32_t FParams = 0;
    int FListLevel = 0;
    int FListItemN = 0;

private:
    int FLineDescent = 0;
};

//---- Painters of input items ----------------------------------------------

class TLarkHTMLControlPainter
{
public:
    explicit TLarkHTMLControlPainter(TLarkHTMLInputItem* aInputItem) : FInputItem(aInputItem) {}
    virtual ~TLarkHTMLControlPainter() = default;
    virtual void PaintTo(TCanvas& canvas, const QRect& aRect);

protected:
    TLarkHTMLInputItem* FInputItem;
};

class TLarkHTMLCheckBoxPainter : public TLarkHTMLControlPainter
{
public:
    using TLarkHTMLControlPainter::TLarkHTMLControlPainter;
    void PaintTo(TCanvas& canvas, const QRect& aRect) override;
};

//---- TLarkHTMLInputItem ---------------------------------------------------

class TLarkHTMLInputItem : public TLarkHTMLItem
{
public:
    explicit TLarkHTMLInputItem(TLarkHTMLData* owner);
    ~TLarkHTMLInputItem() override;

    void GetItemHTML(QString& s) const override;
    void Assign(const TLarkHTMLItem* source);

    bool Checked() const { return FChecked; }
    void SetChecked(bool value);
    const QString& Value() const { return FValue; }
    void SetValue(const QString& value);
    TLarkHTMLInputType InputType() const { return FInputType; }
    // (Re)creates the painter and, for a named radio button, joins its group.
    void SetInputType(TLarkHTMLInputType value);
    const QString& Name() const { return FName; }
    void SetName(const QString& value) { FName = value.toLower(); }

    // Reads checked, value, width and height from a tag's attributes.
    void ReadAttributes(const TStringList& params);

    void Click();
    void KeyDownTransfer(int key);

    TLarkHTMLControlPainter* ControlPainter() const { return FControlPainter.get(); }

    bool FChecked = false;
    QString FValue;

private:
    TLarkHTMLInputType FInputType = itCheckBox;
    QString FName;
    std::unique_ptr<TLarkHTMLControlPainter> FControlPainter;
};

//---- TLarkHTMLControlItem -------------------------------------------------

class TLarkHTMLControlItem : public TLarkHTMLItem
{
public:
    explicit TLarkHTMLControlItem(TLarkHTMLData* owner);
    ~TLarkHTMLControlItem() override;

    void GetItemHTML(QString& s) const override;

    QWidget* Control() const { return FControl; }
    void SetControl(QWidget* value) { FControl = value; }

    // Creates the control through the class registry and configures it from
    // the tag's attributes.
    void ReadAttributes(const TStringList& params);

    QString FControlClass;
    TStringList FControlPropList;

private:
    QPointer<QWidget> FControl;
};

} // namespace lark
