#pragma once
#include <QString>
#include <QUrl>

// What the program asks of the desktop: a web page in the user's browser and the
// desktop's calculator. Tests replace it.
class Shell {
public:
    virtual ~Shell() = default;
    virtual bool openUrl(const QUrl &url) = 0;
    // Starts the first calculator found on PATH; false when none is installed.
    virtual bool startCalculator() = 0;
};

class DesktopShell : public Shell {
public:
    bool openUrl(const QUrl &url) override;
    bool startCalculator() override;
    static QStringList calculatorCandidates();
};
