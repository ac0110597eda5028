#include "platform/qt/qt_launcher.h"

#include <QProcess>
#include <QStandardPaths>

namespace tavlo {

bool QtLauncher::installed(const std::string& program) const
{
    return !QStandardPaths::findExecutable(QString::fromStdString(program)).isEmpty();
}

bool QtLauncher::start(const ToolProgram& program, const std::string& workingDirectory)
{
    QStringList list;
    for (const std::string& argument : program.arguments)
        list << QString::fromStdString(argument);
    return QProcess::startDetached(
        QString::fromStdString(program.program), list, QString::fromStdString(workingDirectory));
}

}  // namespace tavlo
