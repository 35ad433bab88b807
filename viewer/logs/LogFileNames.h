// The texts the file commands make of paths and sizes: a path's folder and name, the name
// proposed for a log's comma-separated export, the converter beside the viewer, a file size
// for people, and the file dialogs' filters in Qt's form.
#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>

namespace brellix {

struct PathParts
{
    // Up to and including the last separator; empty without one.
    QString folder;
    QString name;
};

PathParts splitPath(const QString& path);

// trip.slg (any case) gives trip.csv; any other name gets ".csv" added (trip.sl2.csv).
QString proposedExportName(const QString& logName);

// The converter in the given folder, with one separator between them.
QString converterPath(const QString& applicationFolder);

// 1,024 Bytes, 1.5KB, 12KB, 2MB: bytes up to 1024, then kilobytes up to 1024 of them, then
// megabytes; whole numbers above 100 with the locale's thousands separator, one decimal above
// 10 and two below, trailing zeros dropped.
QString formatFileSize(int64_t bytes, const QLocale& locale = QLocale());

// A filter of the form "Description|*.a;*.b|All Files (*.*)|*.*" in Qt's form, each pattern
// list in parentheses after its description unless the description already ends with it:
// "Description (*.a *.b);;All Files (*.*)". Shown with the patterns hidden, the descriptions
// read as written.
QString qtFileFilter(const QString& filter);

} // namespace brellix
