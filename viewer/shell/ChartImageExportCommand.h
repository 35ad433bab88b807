// File > Export Chart Image...: soundings of the active chart drawn into a PNG file through the
// printing road (one line a sounding, or resampled to a chosen size), under a progress dialog
// that cancels; the file is written beside its name and renamed into place when complete. The
// soundings run across a down-looking chart's image and down a side-looking one's.
#pragma once

#include <QImage>
#include <QString>

#include <functional>

namespace brellix {

class frmDocument;
class frmMain;

class ChartImageExportCommand
{
public:
    // The main window must outlive the command.
    explicit ChartImageExportCommand(frmMain& main) : m_main(main) {}

    void run();

    // The image of soundings from..to of chart, width x height, depth lines when asked; null
    // when progress cancelled it (progress gets the share done, 0 to 1).
    static QImage render(frmDocument& chart, int32_t from, int32_t to, int32_t width,
                         int32_t height, bool depthLines,
                         const std::function<bool(double)>& progress = {});

private:
    frmMain& m_main;
};

} // namespace brellix
