#include "about/win_info.h"

namespace orvalen::about {

TWinInfo::TWinInfo(QObject* owner) : TWinInfo(owner, SystemSources{}) {}

TWinInfo::TWinInfo(QObject* owner, const SystemSources& sources) : QObject(owner) {
  Assign(CollectWinInfo(sources));
}

void TWinInfo::Assign(const WinInfoValues& v) {
  FAbout = QString::fromStdString(v.About);
  FMacAdress = QString::fromStdString(v.MacAdress);
  FBiosDate = QString::fromStdString(v.BiosDate);
  FBiosName = QString::fromStdString(v.BiosName);
  FBiosVer = QString::fromStdString(v.BiosVer);
  FWorkgroup = QString::fromStdString(v.Workgroup);
  FComputerName = QString::fromStdString(v.ComputerName);
  FComment = QString::fromStdString(v.Comment);
  FProductId = QString::fromStdString(v.ProductId);
  FProductKey = QString::fromStdString(v.ProductKey);
  FWallPaperDir = QString::fromStdString(v.WallPaperDir);
  FVersionNumber = QString::fromStdString(v.VersionNumber);
  FVersion = QString::fromStdString(v.Version);
  FSM_AccessoriesName = QString::fromStdString(v.SM_AccessoriesName);
  FProgramFilesPath = QString::fromStdString(v.ProgramFilesPath);
  FProductType = QString::fromStdString(v.ProductType);
  FProductName = QString::fromStdString(v.ProductName);
  FPF_AccessoriesName = QString::fromStdString(v.PF_AccessoriesName);
  FOtherDevicePath = QString::fromStdString(v.OtherDevicePath);
  FMediaPath = QString::fromStdString(v.MediaPath);
  FDevicePath = QString::fromStdString(v.DevicePath);
  FConfigPath = QString::fromStdString(v.ConfigPath);
  FCommonFilesDir = QString::fromStdString(v.CommonFilesDir);
  FBootCount = QString::fromStdString(v.BootCount);
  FProgramFilesDir = QString::fromStdString(v.ProgramFilesDir);
  FSystemRoot = QString::fromStdString(v.SystemRoot);
  FRegisteredOrganization = QString::fromStdString(v.RegisteredOrganization);
  FRegisteredOwner = QString::fromStdString(v.RegisteredOwner);
  FUserName = QString::fromStdString(v.UserName);
}

void TAbout::Edit(QWidget* parent) {
  boxes_.Show(parent, QMessageBox::Information, QStringLiteral("About"), QString::fromUtf8(kCredit),
              QMessageBox::Ok);
}

}  // namespace orvalen::about
