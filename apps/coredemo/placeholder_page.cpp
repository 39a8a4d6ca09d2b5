#include "placeholder_page.h"

#include <QBoxLayout>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace lark::demo {

TPlaceholderPage::TPlaceholderPage(const QString& Caption, QWidget* parent)
    : TPageFrame(parent)
{
    setObjectName(u"PlaceholderPage"_s);
    auto* text = new QLabel(Message(Caption), Panel3);
    text->setObjectName(u"PlaceholderText"_s);
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);
    // Readable on the workspace colour in light and dark themes alike.
    text->setForegroundRole(QPalette::Base);
    auto* layout = new QVBoxLayout(Panel3);
    layout->addWidget(text);
    Panel1->hide();
}

QString TPlaceholderPage::Message(const QString& Caption)
{
    return u"The page \"%1\" is not part of this build yet."_s.arg(Caption);
}

} // namespace lark::demo
