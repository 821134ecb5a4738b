#include "platform/AppDataFolder.h"

#include "platform/QSettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace lrl {

QString AppDataFolder::path()
{
    // AppDataLocation is built from the application's names; lend it the program's own for the lookup
    // so the folder is the same whether or not main() has set them yet.
    const QString organization = QCoreApplication::organizationName();
    const QString application = QCoreApplication::applicationName();
    QCoreApplication::setOrganizationName(QSettingsStore::kOrganization);
    QCoreApplication::setApplicationName(QSettingsStore::kApplication);
    QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QCoreApplication::setOrganizationName(organization);
    QCoreApplication::setApplicationName(application);
    if (!folder.isEmpty())
        QDir().mkpath(folder);
    return folder;
}

QString AppDataFolder::fileInfoPath()
{
    QString folder = path();
    return folder.isEmpty() ? QString() : QDir(folder).filePath("LrlDFileInfo.Dat");
}

} // namespace lrl
