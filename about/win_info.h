// TWinInfo: a non-visual component that collects facts about the machine
// once, when it is constructed, and offers them as string properties that
// can be read and written (and so stored with a form). TAbout is the editor
// a property browser uses for its About entry.
#pragma once

#include <QObject>
#include <QString>

#include "about/win_info_values.h"
#include "platform/qt/message_box.h"

namespace orvalen::about {

class TWinInfo : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString About MEMBER FAbout)
  Q_PROPERTY(QString MacAdress MEMBER FMacAdress)
  Q_PROPERTY(QString BiosDate MEMBER FBiosDate)
  Q_PROPERTY(QString BiosName MEMBER FBiosName)
  Q_PROPERTY(QString BiosVer MEMBER FBiosVer)
  Q_PROPERTY(QString Workgroup MEMBER FWorkgroup)
  Q_PROPERTY(QString ComputerName MEMBER FComputerName)
  Q_PROPERTY(QString Comment MEMBER FComment)
  Q_PROPERTY(QString ProductId MEMBER FProductId)
  Q_PROPERTY(QString ProductKey MEMBER FProductKey)
  Q_PROPERTY(QString WallPaperDir MEMBER FWallPaperDir)
  Q_PROPERTY(QString VersionNumber MEMBER FVersionNumber)
  Q_PROPERTY(QString Version MEMBER FVersion)
  Q_PROPERTY(QString SM_AccessoriesName MEMBER FSM_AccessoriesName)
  Q_PROPERTY(QString ProgramFilesPath MEMBER FProgramFilesPath)
  Q_PROPERTY(QString ProductType MEMBER FProductType)
  Q_PROPERTY(QString ProductName MEMBER FProductName)
  Q_PROPERTY(QString PF_AccessoriesName MEMBER FPF_AccessoriesName)
  Q_PROPERTY(QString OtherDevicePath MEMBER FOtherDevicePath)
  Q_PROPERTY(QString MediaPath MEMBER FMediaPath)
  Q_PROPERTY(QString DevicePath MEMBER FDevicePath)
  Q_PROPERTY(QString ConfigPath MEMBER FConfigPath)
  Q_PROPERTY(QString CommonFilesDir MEMBER FCommonFilesDir)
  Q_PROPERTY(QString BootCount MEMBER FBootCount)
  Q_PROPERTY(QString ProgramFilesDir MEMBER FProgramFilesDir)
  Q_PROPERTY(QString SystemRoot MEMBER FSystemRoot)
  Q_PROPERTY(QString RegisteredOrganization MEMBER FRegisteredOrganization)
  Q_PROPERTY(QString RegisteredOwner MEMBER FRegisteredOwner)
  Q_PROPERTY(QString UserName MEMBER FUserName)

 public:
  // Collects everything from this machine before returning.
  explicit TWinInfo(QObject* owner = nullptr);
  // Collects from the given sources.
  TWinInfo(QObject* owner, const SystemSources& sources);

 private:
  void Assign(const WinInfoValues& values);

  QString FAbout, FMacAdress, FBiosDate, FBiosName;
  QString FBiosVer, FWorkgroup, FComputerName, FComment;
  QString FProductId, FProductKey, FWallPaperDir, FVersionNumber;
  QString FVersion, FSM_AccessoriesName, FProgramFilesPath, FProductType;
  QString FProductName, FPF_AccessoriesName, FOtherDevicePath, FMediaPath;
  QString FDevicePath, FConfigPath, FCommonFilesDir, FBootCount;
  QString FProgramFilesDir, FSystemRoot, FRegisteredOrganization, FRegisteredOwner;
  QString FUserName;
};

// The property editor of the About entry: a read-only value with a dialog
// button that shows who made the component.
class TAbout {
 public:
  enum Attribute { paDialog = 0x1, paMultiSelect = 0x2, paReadOnly = 0x4 };
  static constexpr const char* kCredit =
      "TWinInfo collects facts about this machine: the firmware, the network name, "
      "the operating system, the user and an adapter's hardware address.\n\n"
      "Part of Orvalen, by the Orvalen developers.";

  explicit TAbout(platform::MessageBoxes& boxes = platform::DefaultMessageBoxes())
      : boxes_(boxes) {}
  QString GetValue() const { return QStringLiteral("(about)"); }
  int GetAttributes() const { return paDialog | paMultiSelect | paReadOnly; }
  // Shows the "About" information box.
  void Edit(QWidget* parent = nullptr);

 private:
  platform::MessageBoxes& boxes_;
};

}  // namespace orvalen::about
