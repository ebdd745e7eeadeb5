// The eighteen menu commands of a generated application and the four menus
// they belong to. Every name of a command follows from its index by a fixed
// offset into the string table; glyph bitmaps share the caption's id.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace orvalen {

inline constexpr int kCommandCount = 18;
inline constexpr int kMenuCount = 4;

enum Menu { kFileMenu = 0, kEditMenu = 1, kWindowMenu = 2, kHelpMenu = 3 };

inline constexpr std::array<int, kMenuCount> MenuFirst = {0, 7, 11, 14};
inline constexpr std::array<int, kMenuCount> MenuCount = {7, 4, 3, 4};
// The snippet with the handler body of each menu's first command.
inline constexpr std::array<int, kMenuCount> MenuFirstBodySnippet = {8, 18, 22, 25};

// String id offsets of a command c.
inline constexpr int kCaptionId = 11100;   // "&New"; also the glyph id
inline constexpr int kItemNameId = 11200;  // "FileNewItem"
inline constexpr int kHandlerId = 11300;   // "FileNew"
inline constexpr int kHintId = 11400;      // "New|"
inline constexpr int kGlyphId = 11100;

// The menu that owns command c (0..17).
int MenuOfCommand(int command);
// The command of a glyph id (11100..11117), or -1 for any other number.
int CommandOfGlyph(int glyphId);
// The command whose handler is named `handler` ("FileNew"), or -1.
int CommandOfHandler(std::string_view handler);

std::string CommandCaption(int command);
std::string CommandItemName(int command);
std::string CommandHandler(int command);
std::string CommandHint(int command);

}  // namespace orvalen
