#include "about/win_info.h"

namespace orvalen::about {

namespace {

QString Text(const std::string& s) {
  return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

}  // namespace

TWinInfo::TWinInfo(QObject* owner) : TWinInfo(owner, SystemSources{}) {}

TWinInfo::TWinInfo(QObject* owner, const SystemSources& sources) : QObject(owner) {
  Assign(CollectWinInfo(sources));
}

void TWinInfo::Assign(const WinInfoValues& v) {
  FAbout = Text(v.About);
  FMacAdress = Text(v.MacAdress);
  FBiosDate = Text(v.BiosDate);
  FBiosName = Text(v.BiosName);
  FBiosVer = Text(v.BiosVer);
  FWorkgroup = Text(v.Workgroup);
  FComputerName = Text(v.ComputerName);
  FComment = Text(v.Comment);
  FProductId = Text(v.ProductId);
  FProductKey = Text(v.ProductKey);
  FWallPaperDir = Text(v.WallPaperDir);
  FVersionNumber = Text(v.VersionNumber);
  FVersion = Text(v.Version);
  FSM_AccessoriesName = Text(v.SM_AccessoriesName);
  FProgramFilesPath = Text(v.ProgramFilesPath);
  FProductType = Text(v.ProductType);
  FProductName = Text(v.ProductName);
  FPF_AccessoriesName = Text(v.PF_AccessoriesName);
  FOtherDevicePath = Text(v.OtherDevicePath);
  FMediaPath = Text(v.MediaPath);
  FDevicePath = Text(v.DevicePath);
  FConfigPath = Text(v.ConfigPath);
  FCommonFilesDir = Text(v.CommonFilesDir);
  FBootCount = Text(v.BootCount);
  FProgramFilesDir = Text(v.ProgramFilesDir);
  FSystemRoot = Text(v.SystemRoot);
  FRegisteredOrganization = Text(v.RegisteredOrganization);
  FRegisteredOwner = Text(v.RegisteredOwner);
  FUserName = Text(v.UserName);
}

void TAbout::Edit(QWidget* parent) {
  boxes_.Show(parent, QMessageBox::Information, QStringLiteral("About"), QString::fromUtf8(kCredit),
              QMessageBox::Ok);
}

}  // namespace orvalen::about
