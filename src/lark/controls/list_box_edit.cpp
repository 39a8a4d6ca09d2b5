// The in-place editor of the list box.
//
// Insert opens it on a new empty row (at the current row, after it with
// Ctrl, at the end in a sorted list), F2 on the current row. Enter writes the
// text back (a sorted list moves the row to its place), Escape takes an
// inserted row away again, and leaving the editor for another widget closes
// it without writing: the row keeps its old text.
#include <lark/controls/list_box.h>

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QScopeGuard>

namespace lark {

//---- The editor widget -------------------------------------------------------------

TLarkCustomListBoxEdit::TLarkCustomListBoxEdit(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setTabChangesFocus(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void TLarkCustomListBoxEdit::keyPressEvent(QKeyEvent* event)
{
    if (OnKeyDown) {
        int key = event->key();
        const QPointer<TLarkCustomListBoxEdit> self(this);
        OnKeyDown(this, key, ShiftStateOf(event->modifiers()));
        if (!self || key == 0) {
            event->accept();
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TLarkCustomListBoxEdit::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    // The window losing activation or a menu of the editor's own is no
    // change of focus inside the form.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    if (OnExit)
        OnExit(this);
}

//---- Opening and closing ------------------------------------------------------------

void TLarkCustomListBox::AddItemByEditor()
{
    OpenEditor(true, -1);
}

void TLarkCustomListBox::DisplayEditor(int index)
{
    if (index < 0 || index >= Count())
        return;
    SetItemIndex(index);
    OpenEditor(false, -1);
}

void TLarkCustomListBox::OpenEditor(bool Insert, int index)
{
    HideHint();
    if (!CanEdit())
        return;
    if (FEdit)
        CloseEditor();

    auto* editor = new TLarkCustomListBoxEdit(viewport());
    if (FEditOptions.testFlag(lboNo3DFrame))
        editor->setFrameShape(QFrame::NoFrame);
    if (OnEditShow) {
        bool cancel = false;
        OnEditShow(this, ItemIndex(), cancel);
        if (cancel) {
            delete editor;
            return;
        }
    }
    FEdit = editor;

    ProgramSelection([&] {
        ++FEditorRowChange;
        const auto own = qScopeGuard([this] { --FEditorRowChange; });
        if (!Insert) {
            FEditIndex = ItemIndex();
        } else if (index < 0 || index >= Count() || FSorted) {
            // A sorted list takes the new row at the end while it is edited;
            // Enter moves it to its place.
            FEditIndex = Count();
            FItems.Insert(FEditIndex, QString());
        } else {
            FEditIndex = index;
            FItems.Insert(index, QString());
        }
        if (FMultiSelect)
            selectionModel()->clearSelection();
        SetItemIndex(-1);
    });

    editor->OnExit = [this](QObject*) { CloseEditor(); };
    editor->OnKeyDown = [this](QObject*, int& key, TShiftState) { EditorKeyDown(key); };
    if (Insert)
        editor->Tag = FEditIndex + 255;
    if (FEditIndex >= 0) {
        editor->setPlainText(GetStringValue(FEditIndex));
        if (!viewport()->rect().contains(GetItemRect(FEditIndex).topLeft()))
            SetTopIndex(FEditIndex);
    }
    if (FEditOptions.testFlag(lboSelectText))
        editor->selectAll();
    else
        editor->moveCursor(QTextCursor::End);

    const QRect r = GetItemRect(FEditIndex);
    int height = r.height() + 1;
    if (OnEditMeasure)
        OnEditMeasure(this, FEditIndex, height);
    editor->setGeometry(r.left(), r.top() - 1, r.left() + r.width(), height);
    editor->show();
    editor->setFocus(Qt::OtherFocusReason);
}

void TLarkCustomListBox::CloseEditor()
{
    if (!FEdit || FClosingEditor)
        return;
    FClosingEditor = true;
    TLarkCustomListBoxEdit* editor = FEdit;
    FEdit = nullptr;
    editor->OnExit = nullptr;
    editor->OnKeyDown = nullptr;
    // The editor may be closing from inside its own key or focus handler.
    editor->hide();
    editor->deleteLater();
    if (OnEditHide)
        OnEditHide(this);
    Q_EMIT editHidden();
    if (FEditIndex != -1) {
        if (FMultiSelect)
            SetSelected(FEditIndex, true);
        else
            SetItemIndex(FEditIndex);
    }
    FEditIndex = -1;
    FClosingEditor = false;
    setFocus(Qt::OtherFocusReason);
}

void TLarkCustomListBox::CloseEditorForRowChange()
{
    // The edited row's index, and an inserted row's Tag, would name another
    // row afterwards: Enter would overwrite it, Escape delete it. As when
    // the editor loses the focus, nothing typed is written.
    if (FEdit && FEditorRowChange == 0)
        CloseEditor();
}

void TLarkCustomListBox::EditorKeyDown(int& key)
{
    if (!FEdit)
        return;
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        key = 0;
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        ++FEditorRowChange;
        const auto own = qScopeGuard([this] { --FEditorRowChange; });
        const QString text = FEdit->toPlainText();
        if (FSorted) {
            if (FEditIndex >= 0 && FEditIndex < Count())
                FItems.Delete(FEditIndex);
            FEditIndex = FItems.Add(text);
            if (!viewport()->rect().contains(GetItemRect(FEditIndex).topLeft()))
                SetTopIndex(FEditIndex);
        } else if (FEditIndex == -1 || FEditIndex >= Count()) {
            FEditIndex = FItems.Add(text);
        } else {
            FItems.SetStrings(FEditIndex, text);
        }
        if (OnEditChange)
            OnEditChange(this, FEditIndex);
        Q_EMIT editChanged(FEditIndex);
        CloseEditor();
        key = 0;
        return;
    }
    case Qt::Key_Escape: {
        const int inserted = FEdit->Tag - 255;
        if (FEdit->Tag > 254 && inserted < Count()) {
            ++FEditorRowChange;
            const auto own = qScopeGuard([this] { --FEditorRowChange; });
            FItems.Delete(inserted);
        }
        CloseEditor();
        key = 0;
        return;
    }
    default:
        return;
    }
}

} // namespace lark
