// What a file command asks of the file dialog: open or save, its title, filter, folder and
// proposed name. The main window answers it with a dialog, tests with a name of their own.
#pragma once

#include <QString>

namespace brellix {

struct FileRequest
{
    enum Kind { Open, Save };

    Kind kind = Open;
    QString title;
    // In Qt's form ("Description (*.a *.b);;...").
    QString filter;
    QString folder;
    QString fileName;
    // Whether the dialog itself asks before a save replaces a file.
    bool confirmOverwrite = true;
};

} // namespace brellix
