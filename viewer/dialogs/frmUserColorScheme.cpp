#include "dialogs/frmUserColorScheme.h"

#include <QCloseEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace brellix {

frmUserColorScheme::frmUserColorScheme(QWidget* owner) : QWidget(owner, Qt::Tool)
{
    setObjectName(QStringLiteral("frmUserColorScheme"));
    setWindowTitle(QStringLiteral("User Color Scheme"));
    // The colour bars and their editing come with the editor's own work.
    auto* note = new QLabel(QStringLiteral("User colour scheme"), this);
    note->setMargin(8);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(note);
}

frmUserColorScheme::~frmUserColorScheme() = default;

void frmUserColorScheme::ShowUserColorScheme(int32_t ColorMode)
{
    m_shownColorMode = ColorMode;
}

void frmUserColorScheme::closeEvent(QCloseEvent* event)
{
    // The main window hides the editor without closing it, so every close is the user's.
    event->accept();
    emit closedByUser();
}

} // namespace brellix
