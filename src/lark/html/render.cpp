// The render object: lifetime, containers, the frame around a parse, plain
// text, settings, the host hook, the event raisers and the shared instance
// behind DrawHTMLText. Parsing is parser.cpp, painting paint.cpp, image
// sources and their events images.cpp.
#include <lark/framework/exceptions.h>
#include <lark/framework/picture.h>
#include <lark/hook/hook_component.h>
#include "lark/html/parse/parser_p.h"
#include "lark/html/render_p.h"

#include <QCoreApplication>
#include <QPaintDevice>
#include <QScopeGuard>


using namespace Qt::StringLiterals;

namespace lark {

namespace {

constexpr QStringView kLineEnd = u"\r\n";

std::unique_ptr<TLarkHTMLRender>& SharedInstance()
{
    static std::unique_ptr<TLarkHTMLRender> instance;
    return instance;
}

// Runs when the application object goes, while fonts still can be freed.
void FreeSharedInstance()
{
    SharedInstance().reset();
}

} // namespace

//---- Lifetime -------------------------------------------------------------

TLarkHTMLRender::TLarkHTMLRender(QObject* parent)
    : QObject(parent)
    , FHook(std::make_unique<TLarkHookComponent>())
    , FIntData(std::make_unique<TLarkHTMLData>())
    , FInternals(std::make_unique<detail::RenderInternals>())
{
    FHook->OnBeforeProcess = [this](QObject*, QEvent* message, bool& handled) { RouteHostEvent(message, handled); };
    FData = FIntData.get();
    FData->SetRender(this);
}

TLarkHTMLRender::~TLarkHTMLRender()
{
    // Items freed from here on leave their embedded controls to the host,
    // which frees them as its children.
    FDestroying = true;
    if (FHook->Active())
        FHook->SetActive(false);
    FHook->SetControl(nullptr);
    FHook.reset();
    FData = nullptr;
    FIntData.reset();
}

detail::RenderInternals& detail::Internals(const TLarkHTMLRender& render)
{
    return *render.FInternals;
}

TLarkHTMLRender* TLarkHTMLRender::getInstance()
{
    std::unique_ptr<TLarkHTMLRender>& instance = SharedInstance();
    if (!instance) {
        instance = std::make_unique<TLarkHTMLRender>();
        if (QCoreApplication::instance())
            qAddPostRoutine(FreeSharedInstance);
    }
    return instance.get();
}

//---- Containers -----------------------------------------------------------

TLarkHTMLData* TLarkHTMLRender::CreateData()
{
    auto* data = new TLarkHTMLData();
    data->SetRender(this);
    return data;
}

void TLarkHTMLRender::DestroyData(TLarkHTMLData* data)
{
    // The render object's own container is not the caller's to free.
    if (!data || data == FIntData.get())
        return;
    if (data == FData)
        FData = nullptr;
    delete data;
}

void TLarkHTMLRender::SetData(TLarkHTMLData* newData)
{
    FData = newData ? newData : FIntData.get();
    FData->SetRender(this);
}

//---- Preparing ------------------------------------------------------------

void TLarkHTMLRender::PrepareText(const QString& text, int maxWidth, bool autoWrap)
{
    PrepareToData(text, maxWidth, autoWrap, FData);
}

void TLarkHTMLRender::PrepareToData(const QString& text, int maxWidth, bool autoWrap, TLarkHTMLData*& curData)
{
    // CurData may be FData itself, which changes below.
    TLarkHTMLData* const target = curData;
    if (!target)
        return;
    TLarkHTMLData* const previous = FData;
    FData = target;
    const auto restoreCurrent = qScopeGuard([this, previous] { FData = previous; });

    target->SetMaxWidth(maxWidth);
    target->ClearArrays();
    target->SetSelectedItem(nullptr);
    try {
        detail::ParseDocument(*this, *target, text, autoWrap);
    } catch (const std::exception&) {
        // The framework's failures (a bad attribute value, an event handler
        // giving up) leave an empty document rather than a broken one.
        target->ClearArrays();
    }
}

void TLarkHTMLRender::SetDC(QPaintDevice* dc)
{
    if (!dc)
        return;
    FInternals->Measurer.SetDevice(dc);
}

QString TLarkHTMLRender::AsText() const
{
    QString text;
    if (!FData)
        return text;
    const auto& items = FData->Items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const TLarkHTMLItem& item = *items[i];
        switch (item.ItemType()) {
        case hitChar:
            text += item.Text();
            break;
        case hitBreak:
            text += kLineEnd;
            break;
        case hitPara:
            if (i != 0) {
                text += kLineEnd;
                text += kLineEnd;
            }
            break;
        case hitLI:
            text += u"- "_s;
            break;
        default:
            break;
        }
    }
    return text;
}

//---- Settings -------------------------------------------------------------

void TLarkHTMLRender::SetParameter(const QString& aName, const QString& aValue)
{
    if (aName == u"EditorPreview" && aValue == u"1")
        FEditorPreview = true;
}

QWidget* TLarkHTMLRender::Control() const
{
    return FHook->Control();
}

void TLarkHTMLRender::SetControl(QWidget* value)
{
    FHook->SetActive(false);
    FHook->SetControl(value);
    if (value)
        FHook->SetActive(true);
}

void TLarkHTMLRender::Change()
{
    if (OnChange)
        OnChange(this);
}

//---- Raisers --------------------------------------------------------------

void TLarkHTMLRender::DoTagFound(QString& tag, TLarkHTMLItem*& item, TStringList*& params, bool aClosing,
                                 bool aSupported)
{
    if (OnTagFound)
        OnTagFound(this, tag, item, params, aClosing, aSupported);
}

void TLarkHTMLRender::DoVariableNeeded(const QString& aVarName, QString& aVarValue)
{
    if (OnVariableNeeded)
        OnVariableNeeded(this, aVarName, aVarValue);
}

//---- Stand-alone drawing --------------------------------------------------

int DrawHTMLTextEx(TCanvas& canvas, const QString& text, const QRect& rect, int lineGap, TColor linkColor,
                   bool autoWrap, bool calcOnly)
{
    TLarkHTMLRender* render = TLarkHTMLRender::getInstance();
    if (!render->Data())
        render->SetData(nullptr);
    TLarkHTMLData* data = render->Data();
    data->SetLineGap(lineGap);
    data->SetLinkColor(linkColor);
    render->PrepareText(text, rect.width(), autoWrap);
    if (!calcOnly)
        render->DrawText(canvas, QPoint(0, 0), rect, clNone, rect);
    return data->TextSize().height();
}

int DrawHTMLText(TCanvas& canvas, const QString& text, const QRect& rect, bool calcOnly)
{
    return DrawHTMLTextEx(canvas, text, rect, 0, clBlue, true, calcOnly);
}

} // namespace lark
