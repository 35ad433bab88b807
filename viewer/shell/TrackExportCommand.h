// File > Export Track...: the active chart's log's track to a GPX or KML file, read and written
// under a progress dialog that cancels, so that a 4 GB log does not freeze the window.
#pragma once

#include <QString>

namespace brellix {

class frmMain;

class TrackExportCommand
{
public:
    // The main window must outlive the command.
    explicit TrackExportCommand(frmMain& main) : m_main(main) {}

    // Asks for the file (.gpx, or .kml for KML, then how often a depth placemark goes in) and
    // exports; says so in the status bar, or in a message when the export failed.
    void run();

    // KML placemarks with the depth: one every so many soundings unless the user says else.
    static constexpr int32_t kPlacemarkEvery = 100;

private:
    frmMain& m_main;
};

} // namespace brellix
