#include "platform/AppDataFolder.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

using namespace lrl;

TEST(AppDataFolder, ThePrivateFolderOfTheProgramIsCreatedWhateverTheApplicationIsCalled)
{
    QStandardPaths::setTestModeEnabled(true);
    QString name = QCoreApplication::applicationName();
    QString path = AppDataFolder::fileInfoPath();
    EXPECT_TRUE(path.endsWith("Corvane/Listrel Delphi/LrlDFileInfo.Dat")) << path.toStdString();
    EXPECT_TRUE(QDir(AppDataFolder::path()).exists());
    EXPECT_EQ(QCoreApplication::applicationName(), name);
    QDir(AppDataFolder::path()).removeRecursively();
    QStandardPaths::setTestModeEnabled(false);
}
