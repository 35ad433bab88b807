// The about box ("About Brellix"): title, version, a description and a way to the system's
// information tool.
#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QLabel;
class QPushButton;

namespace brellix {

class frmAbout : public QDialog
{
    Q_OBJECT

public:
    // Starts a program with its arguments; true when it started.
    using Starter = std::function<bool(const QString& program)>;

    explicit frmAbout(QWidget* owner);

    // Well-known system information tools, tried in this order on PATH.
    static QStringList systemInfoTools();
    // The message when none of them is there or none starts.
    static QString unavailableText();

    // Tests start nothing; messages go to the handler instead of a box.
    void setStarter(Starter starter) { m_start = std::move(starter); }
    void setMessageHandler(std::function<void(const QString&)> handler)
    {
        m_message = std::move(handler);
    }

    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;

private:
    void StartSysInfo();

    Starter m_start;
    std::function<void(const QString&)> m_message;
};

} // namespace brellix
