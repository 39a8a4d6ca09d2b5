#pragma once
// TLarkHTMLListBox: a list box whose rows are HTML snippets.
//
// Every row is drawn, measured and hit-tested as HTML through one render
// object shared by all rows (with TLarkHTMLItemDelegate): links per row with
// the hand cursor, OnLinkClick and a link menu on the right button, images
// from an image list or the application, variables and custom tags, check
// boxes and radio buttons that toggle with a click, and a virtual mode.
//
// Example:
//     auto* list = new TLarkHTMLListBox(form);
//     list->Items().Add(u"<b>Lark</b> <a href=\"home\">home page</a>"_s);
//     list->OnLinkClick = [](QObject*, const QString& href) { TLarkHTMLRender::RunURL(href); };
//
// A row with a check box or radio button that the user clicks is written
// back into Items with the inputs' new states (in virtual mode the click
// shows nothing lasting: the application owns the rows).
//
// Row heights are measured once and kept until the row, the font, the
// options or the image list change. While OnGetVariable, OnTagFound or
// OnGetImage is assigned nothing is kept: the handlers may answer
// differently each time, so every layout measures again.

#include <lark/controls/host_properties.h>
#include <lark/controls/html_host_base.h>
#include <lark/controls/item_delegate.h>
#include <lark/controls/list_box.h>

#include <QCursor>

namespace lark {

class TLarkHTMLListBox : public TLarkCustomListBox, public TLarkHTMLHostBase
{
    Q_OBJECT
    Q_PROPERTY(bool IsHTML READ IsHTML WRITE SetIsHTML RESET ResetIsHTML)
    Q_PROPERTY(bool AutoComplete READ AutoComplete WRITE SetAutoComplete RESET ResetAutoComplete)
    Q_PROPERTY(QCursor Cursor READ Cursor WRITE SetCursor RESET ResetCursor)
    Q_PROPERTY(lark::TCustomImageList* ImageList READ ImageList WRITE SetImageList STORED false)
    Q_PROPERTY(QMenu* LinkPopupMenu READ LinkPopupMenu WRITE SetLinkPopupMenu STORED false)
    LARK_HTML_OPTIONS_PROPERTIES
    Q_PROPERTY(bool Untrusted READ Untrusted WRITE SetUntrusted RESET ResetUntrusted)
    Q_PROPERTY(QStringList Items READ ItemLines WRITE SetItems RESET ResetItems)

public:
    explicit TLarkHTMLListBox(QWidget* parent = nullptr);
    ~TLarkHTMLListBox() override;

    //---- host interface
    // Every row, with CR LF between them.
    QString GetHTML() const override;
    // The rows become the lines of Value.
    void SetHTML(const QString& value) override { Items().SetText(value); }
    void SetCaption(const QString& value) override { SetHTML(value); }
    bool IsWindowedControl() const override { return true; }

    // The rows as a list of strings, as forms store them.
    QStringList ItemLines() const { return Items().ToStringList(); }
    void SetItems(const QStringList& value) { Items().Assign(TStringList(value)); }
    void ResetItems() { Items().Clear(); }

    // What uic calls for the properties of a form.
    LARK_HTML_OPTIONS_SETTERS
    LARK_FORM_SETTER(Items)
    LARK_FORM_SETTER(IsHTML)
    LARK_FORM_SETTER(Untrusted)

    //---- settings
    // Rows are HTML (true) or drawn as the raw text they are.
    bool IsHTML() const { return FIsHTML; }
    void SetIsHTML(bool value);
    // Typing selects the row that starts with the typed text.
    bool AutoComplete() const { return FAutoComplete; }
    void SetAutoComplete(bool value) { FAutoComplete = value; }
    // The cursor outside links.
    QCursor Cursor() const { return FCursor; }
    void SetCursor(const QCursor& value);
    // The delegate the rows are drawn with.
    TLarkHTMLItemDelegate* RowDelegate() const { return FRowDelegate.get(); }

    void ResetItemAutoHeight() override { SetItemAutoHeight(THTMLListBoxDefaults::ItemAutoHeight); }
    void ResetIsHTML() { SetIsHTML(THTMLListBoxDefaults::IsHTML); }
    void ResetAutoComplete() { SetAutoComplete(THTMLListBoxDefaults::AutoComplete); }
    void ResetCursor() { SetCursor(QCursor()); }

    // The text of a row without markup (the tooltip's).
    QString PlainItemText(int index);

Q_SIGNALS:
    void linkClicked(const QString& href);
    // An image the engine does not resolve itself; a slot connected
    // directly loads it into image (see OnGetImage).
    void imageNeeded(const QString& source, lark::TPicture* image);

protected:
    // The rectangle a row's document is drawn in: two pixels in.
    virtual void AdjustItemRect(QRect& r) const { r.setLeft(r.left() + 2); }
    // A hook for descendants that change a row's text before a hit test.
    virtual void PrepareItemText(QString& text) { (void)text; }

    void OptionsChanged() override;
    void StorageChanged() override;
    void NotifyLinkClick(const QString& hRef) override { Q_EMIT linkClicked(hRef); }
    void NotifyImageNeeded(const QString& sourceName, TPicture* image) override
    {
        Q_EMIT imageNeeded(sourceName, image);
    }

    void DrawItem(TCanvas& canvas, int index, const QRect& r, TOwnerDrawState state) override;
    void MeasureItem(int index, int& height) override;
    int ItemTextWidth(int index) override;
    QString HintText(int index) override { return PlainItemText(index); }
    // Screen readers read a row's text without its tags.
    QString AccessibleRowText(int index) override { return PlainItemText(index); }
    bool HeightsCacheable() const override;
    TColor ItemTextColor() const override;

    // A font set on the widget (setFont, a style sheet, a parent while
    // ParentFont is on) becomes the document font.
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void keyboardSearch(const QString& search) override;

private:
    struct THit
    {
        int Index = -1;
        QRect Rect;     // the row's document rectangle
        QString Text;
    };
    // The row under a viewport point, when the point lies in its document.
    THit RowAt(QPoint pos);
    void ShowCursor(bool overLink);

    std::unique_ptr<TLarkHTMLItemDelegate> FRowDelegate;
    bool FIsHTML = THTMLListBoxDefaults::IsHTML;
    bool FAutoComplete = THTMLListBoxDefaults::AutoComplete;
    QCursor FCursor;
};

} // namespace lark
