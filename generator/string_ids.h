// Ids of the string table entries the generator and the wizard read.
#pragma once

namespace orvalen::ids {

inline constexpr int kFinish = 11005;
inline constexpr int kNext = 11006;
inline constexpr int kNameRequired = 11007;
inline constexpr int kNameNotIdentifier = 11008;
inline constexpr int kPathMissing = 11009;
inline constexpr int kMainPas = 11010;
inline constexpr int kMainDfm = 11011;
inline constexpr int kMainTxt = 11012;
inline constexpr int kExpertName = 11013;
inline constexpr int kExpertComment = 11014;

inline constexpr int kStatusLine = 11020;
inline constexpr int kOpenDialog = 11021;
inline constexpr int kSaveDialog = 11022;
inline constexpr int kMainMenu = 11023;
inline constexpr int kMainForm = 11024;
inline constexpr int kSpeedButton = 11025;
inline constexpr int kPrintDialog = 11026;
inline constexpr int kPrintSetupDialog = 11027;
inline constexpr int kSpeedBar = 11028;
inline constexpr int kShowHint = 11030;
inline constexpr int kFormCreate = 11031;
inline constexpr int kFormDestroy = 11032;

inline constexpr int kMenuCaption = 11080;  // + menu index
inline constexpr int kMenuName = 11090;     // + menu index
inline constexpr int kWMenu = 11092;

inline constexpr int kN5 = 11319;
inline constexpr int kCloseMenuClick = 11320;
inline constexpr int kCloseAllMenuClick = 11321;
inline constexpr int kWindowMenuClick = 11322;
inline constexpr int kFileMenuClick = 11323;

inline constexpr int kGalleryPage = 11501;
inline constexpr int kOpenRecent = 11502;
inline constexpr int kOpenTheFile = 11503;
inline constexpr int kMRUMenu = 11504;
inline constexpr int kRecent = 11505;
inline constexpr int kN11 = 11506;
inline constexpr int kCloseMenu = 11508;
inline constexpr int kCloseAllMenu = 11509;
inline constexpr int kN1 = 11510;
inline constexpr int kImageList = 11511;
inline constexpr int kMdiChildPas = 11512;
inline constexpr int kMdiChildDfm = 11513;
inline constexpr int kMdiChildTxt = 11514;

}  // namespace orvalen::ids
