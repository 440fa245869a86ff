#pragma once
#include <cstdint>
#include <span>
#include <string_view>

// Every section and key of the settings file, with its type and the default a reader uses.
// No other file spells a section or key name: code names a value by its constant here.
namespace vd::settings {

inline constexpr std::string_view kFileName = "Vellumdesk.ini";

enum class ValueType { String, Integer, Boolean, Colour };

struct Key {
  std::string_view section;
  std::string_view name;
  ValueType type;
  std::string_view defaultString; // for String keys
  int32_t defaultInteger;         // for Integer, Boolean and Colour keys (colour as its 32 bits)
};

inline constexpr Key kHandOffFile{"File To Open", "File", ValueType::String, "", 0};

inline constexpr Key kDirCurrent{"Directories", "Current", ValueType::String, "C:\\", 0};
inline constexpr Key kDirSaveDefault{"Directories", "SaveDefault", ValueType::String, "C:\\", 0};
inline constexpr Key kDirOpenDefault{"Directories", "OpenDefault", ValueType::String, "C:\\", 0};
inline constexpr Key kDirUseDefault{"Directories", "UseDefault", ValueType::Integer, "", 0};

// The recent-files list: File1..File10 written; the whole section read, in file order.
inline constexpr std::string_view kHistorySection = "FileHistory";
inline constexpr std::string_view kHistoryKeyPrefix = "File";
inline constexpr int kHistoryKeysWritten = 10;

inline constexpr Key kColorsFont{"Colors", "Font", ValueType::Colour, "", 0};
inline constexpr Key kColorsBackground{"Colors", "Background", ValueType::Colour, "",
                                       static_cast<int32_t>(0x80000005u)};

inline constexpr Key kWindowIsMaximized{"Window State", "IsMaximized", ValueType::Boolean, "", 0};
inline constexpr Key kWindowLeft{"Window State", "Left", ValueType::Integer, "", 200};
inline constexpr Key kWindowTop{"Window State", "Top", ValueType::Integer, "", 120};
inline constexpr Key kWindowWidth{"Window State", "Width", ValueType::Integer, "", 670};
inline constexpr Key kWindowHeight{"Window State", "Height", ValueType::Integer, "", 500};

inline constexpr Key kFontName{"Font", "Name", ValueType::String, "Courier New", 0};
inline constexpr Key kFontSize{"Font", "Size", ValueType::Integer, "", 10};
inline constexpr Key kFontBold{"Font", "Bold", ValueType::Integer, "", 0};
inline constexpr Key kFontItalic{"Font", "Italic", ValueType::Integer, "", 0};

inline constexpr Key kOptionsWordWrap{"Options", "WordWrap", ValueType::Boolean, "", 1};
inline constexpr Key kOptionsToolbar{"Options", "Toolbar", ValueType::Boolean, "", 1};
inline constexpr Key kOptionsMinLockPassword{"Options", "MinLock Password", ValueType::String, "",
                                             0};

// Every single key above, for tests and tools that walk the whole file.
std::span<const Key> AllKeys();

} // namespace vd::settings
