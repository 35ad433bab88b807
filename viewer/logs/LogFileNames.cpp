#include "logs/LogFileNames.h"

#include <QDir>
#include <QStringList>

namespace brellix {

PathParts splitPath(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QDir::separator());
    if (slash < 0) {
        return {QString(), path};
    }
    return {path.left(slash + 1), path.mid(slash + 1)};
}

QString proposedExportName(const QString& logName)
{
    const QString extension = QStringLiteral(".slg");
    const qsizetype at = logName.toLower().indexOf(extension);
    if (at >= 0 && at >= logName.size() - extension.size()) {
        return logName.left(at) + QStringLiteral(".csv");
    }
    return logName + QStringLiteral(".csv");
}

QString converterPath(const QString& applicationFolder)
{
    QString folder = applicationFolder;
    if (!folder.endsWith(QDir::separator())) {
        folder += QDir::separator();
    }
    return folder + QStringLiteral("tarnex");
}

QString formatFileSize(int64_t bytes, const QLocale& locale)
{
    double value = static_cast<double>(bytes);
    QString unit = QStringLiteral(" Bytes");
    if (bytes > 1048576) {
        value = value / 1024 / 1024;
        unit = QStringLiteral("MB");
    } else if (bytes > 1024) {
        value /= 1024;
        unit = QStringLiteral("KB");
    }
    const auto dropZeros = [](QString& text, qsizetype count) {
        if (text.endsWith(QLatin1Char('0'))) {
            text.chop(count);
            return true;
        }
        return false;
    };
    QString text;
    if (value > 100) {
        text = locale.toString(value, 'f', 0);
    } else if (value > 10) {
        text = locale.toString(value, 'f', 1);
        dropZeros(text, 2);
    } else {
        text = locale.toString(value, 'f', 2);
        if (dropZeros(text, 1)) {
            dropZeros(text, 2);
        }
    }
    return text + unit;
}

QString qtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString patterns =
            QStringLiteral("(%1)").arg(parts[i + 1].split(QLatin1Char(';')).join(QLatin1Char(' ')));
        filters.append(description.endsWith(patterns) ? description
                                                      : description + QLatin1Char(' ') + patterns);
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace brellix
