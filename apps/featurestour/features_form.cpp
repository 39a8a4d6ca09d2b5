#include "features_form.h"

#include <lark/controls/label.h>
#include <lark/controls/view.h>
#include <lark/framework/color.h>
#include <lark/framework/convert.h>
#include <lark/framework/font.h>
#include <lark/framework/picture.h>
#include <lark/html/host/options.h>
#include <lark/html/host/padding.h>
#include <lark/storage/storage.h>

#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QSplitter>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

// Resources of a static library are registered by name, outside any namespace.
static void InitTourResources()
{
    Q_INIT_RESOURCE(featurestour);
}

namespace lark {

namespace {

constexpr QSize kClientSize(648, 564);
constexpr int kPanelHeight = 41;
constexpr int kPanelBorderWidth = 4;
constexpr TColor kPanelColor = 0xF3F3F3;
constexpr int kContentsWidth = 108;
constexpr int kSplitterWidth = 3;
constexpr int kNotFoundPage = 2; // "Formatting" explains what has no page

const QString kPagesResource = u":/pages.txt"_s;
const QString kImageFile = u"image.png"_s;

void SetBackground(QWidget* widget, TColor color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, ToQColor(color, widget));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// The document font of an HTML control: Tahoma at Height pixels.
void SetTahoma(TFont& font, int height, TFontStyles style = {})
{
    font.SetName(u"Tahoma"_s);
    font.SetHeight(height);
    font.SetStyle(style);
}

} // namespace

TfrmLarkHTMLFeatures::TfrmLarkHTMLFeatures(QWidget* parent)
    : QWidget(parent)
{
    InitTourResources();
    setObjectName(u"frmLarkHTMLFeatures"_s);
    setWindowTitle(u"Lark HTML features"_s);
    QFont tahoma(u"Tahoma"_s);
    tahoma.setPixelSize(11);
    setFont(tahoma);
    SetBackground(this, clInfoBk);

    CreateComponents();
    LoadPages();
    resize(kClientSize);
    Splitter1->setSizes({ kContentsWidth, kClientSize.width() - kContentsWidth - kSplitterWidth });

    // The history starts with the page the view shows.
    FBreadCrumbs = { 0 };
    FCurrPage = 0;
    FSaveHistory = true;
    FBCIndex = 0;
}

TfrmLarkHTMLFeatures::~TfrmLarkHTMLFeatures()
{
    // The view reports no page change while the window goes away.
    LarkHTMLView1->OnStorageItemChanged = nullptr;
}

QString TfrmLarkHTMLFeatures::TableOfContents()
{
    return u"<a href=\"0\">Intro</a><br>"
           "<a href=\"1\">What's new?</a><br>"
           "<a href=\"2\">Formatting</a><br>"
           "<a href=\"3\">Supported tags</a><br>"
           "<a href=\"4\">Special symbols</a><br>"
           "<a href=\"5\">Tips &amp; tricks</a>"_s;
}

QFrame* TfrmLarkHTMLFeatures::CreateButtonPanel(const QString& name)
{
    auto* panel = new QFrame(this);
    panel->setObjectName(name);
    panel->setFixedHeight(kPanelHeight);
    SetBackground(panel, kPanelColor);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(kPanelBorderWidth, kPanelBorderWidth, kPanelBorderWidth, kPanelBorderWidth);
    return panel;
}

void TfrmLarkHTMLFeatures::CreateComponents()
{
    LarkHTMLStringStorage1 = new TLarkHTMLStorage(this);
    LarkHTMLStringStorage1->setObjectName(u"LarkHTMLStringStorage1"_s);

    Panel1 = CreateButtonPanel(u"Panel1"_s);
    btnBack = new QPushButton(u"Back"_s, Panel1);
    btnBack->setObjectName(u"btnBack"_s);
    Label1 = new QLabel(u"Lark Skein engine"_s, Panel1);
    Label1->setObjectName(u"Label1"_s);
    Label1->setAlignment(Qt::AlignCenter);
    QFont heading(u"Tahoma"_s);
    heading.setPixelSize(16);
    heading.setBold(true);
    Label1->setFont(heading);
    QPalette blue = Label1->palette();
    blue.setColor(QPalette::WindowText, ToQColor(clBlue));
    Label1->setPalette(blue);
    btnFwd = new QPushButton(u"Forward"_s, Panel1);
    btnFwd->setObjectName(u"btnFwd"_s);
    auto* top = static_cast<QHBoxLayout*>(Panel1->layout());
    top->addWidget(btnBack);
    top->addWidget(Label1, 1);
    top->addWidget(btnFwd);

    LarkHTMLLabel1 = new TLarkHTMLLabel(this);
    LarkHTMLLabel1->setObjectName(u"LarkHTMLLabel1"_s);
    LarkHTMLLabel1->SetAlignment(taCenter);
    LarkHTMLLabel1->SetColor(clWhite);
    SetTahoma(LarkHTMLLabel1->Font(), -11, { fsItalic });
    LarkHTMLLabel1->Padding()->SetBounds(3, 3, 3, 3);
    LarkHTMLLabel1->Options()->SetLineGap(10);
    LarkHTMLLabel1->SetCaption(TableOfContents());
    LarkHTMLLabel1->OnLinkClick = [this](QObject*, const QString& hRef) { LarkHTMLLabel1LinkClick(hRef); };

    LarkHTMLView1 = new TLarkHTMLView(this);
    LarkHTMLView1->setObjectName(u"LarkHTMLView1"_s);
    LarkHTMLView1->SetColor(clInfoBk);
    SetTahoma(LarkHTMLView1->Font(), -11);
    LarkHTMLView1->Padding()->SetBounds(2, 2, 2, 2);
    LarkHTMLView1->SetBorderStyle(bsNone);
    LarkHTMLView1->SetTransparent(false);
    LarkHTMLView1->SetWordWrap(true);
    LarkHTMLView1->Options()->SetLineGap(2);
    // Readers can select and copy passages of the tour.
    LarkHTMLView1->SetTextSelection(true);
    LarkHTMLView1->OnStorageItemChanged = [this](QObject*, int oldItemIndex, int newItemIndex) {
        LarkHTMLView1StorageItemChanged(oldItemIndex, newItemIndex);
    };
    LarkHTMLView1->OnGetImage = [this](QObject*, const QString& sourceName, TPicture* image) {
        LarkHTMLView1GetImage(sourceName, image);
    };

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(u"Splitter1"_s);
    Splitter1->setHandleWidth(kSplitterWidth);
    Splitter1->setChildrenCollapsible(false);
    Splitter1->addWidget(LarkHTMLLabel1);
    Splitter1->addWidget(LarkHTMLView1);
    Splitter1->setStretchFactor(1, 1);
    QPalette handle = Splitter1->palette();
    handle.setColor(QPalette::Window, ToQColor(kPanelColor));
    Splitter1->setPalette(handle);

    Panel2 = CreateButtonPanel(u"Panel2"_s);
    btnClose = new QPushButton(u"Close"_s, Panel2);
    btnClose->setObjectName(u"btnClose"_s);
    auto* bottom = static_cast<QHBoxLayout*>(Panel2->layout());
    bottom->addStretch(1);
    bottom->addWidget(btnClose);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel1);
    layout->addWidget(Splitter1, 1);
    layout->addWidget(Panel2);

    connect(btnBack, &QPushButton::clicked, this, &TfrmLarkHTMLFeatures::btnBackClick);
    connect(btnFwd, &QPushButton::clicked, this, &TfrmLarkHTMLFeatures::btnFwdClick);
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);
}

void TfrmLarkHTMLFeatures::LoadPages()
{
    // The pages are compiled in; a failure here is a broken build.
    LarkHTMLStringStorage1->LoadFromFile(kPagesResource);
    LarkHTMLView1->SetStorage(LarkHTMLStringStorage1);
    LarkHTMLView1->SetStorageItemIndex(0);
    LarkHTMLView1->SetStorageItemNotFoundIndex(kNotFoundPage);
}

void TfrmLarkHTMLFeatures::LarkHTMLLabel1LinkClick(const QString& hRef)
{
    int page = 0;
    // The contents' targets are all numbers; anything else is not a page.
    if (!TryStrToInt(hRef, page))
        return;
    LarkHTMLView1->SetStorageItemIndex(page);
}

void TfrmLarkHTMLFeatures::LarkHTMLView1StorageItemChanged(int oldItemIndex, int newItemIndex)
{
    (void)oldItemIndex;
    if (!FSaveHistory)
        return;
    FBreadCrumbs.append(newItemIndex);
    FBCIndex = int(FBreadCrumbs.size()) - 1;
}

void TfrmLarkHTMLFeatures::LarkHTMLView1GetImage(const QString& sourceName, TPicture* image)
{
    // Every source the engine does not resolve itself shows the same picture.
    // A missing file throws; the render object then leaves the box empty.
    (void)sourceName;
    image->LoadFromFile(kImageFile);
}

void TfrmLarkHTMLFeatures::btnBackClick()
{
    if (FBCIndex <= 0)
        return;
    --FBCIndex;
    ShowHistoryEntry();
}

void TfrmLarkHTMLFeatures::btnFwdClick()
{
    if (FBCIndex >= FBreadCrumbs.size() - 1)
        return;
    ++FBCIndex;
    ShowHistoryEntry();
}

void TfrmLarkHTMLFeatures::ShowHistoryEntry()
{
    // Walking the history must not record the pages it shows.
    FSaveHistory = false;
    const auto recordAgain = qScopeGuard([this] { FSaveHistory = true; });
    LarkHTMLView1->SetStorageItemIndex(FBreadCrumbs.at(FBCIndex));
}

} // namespace lark
