// Every message text the codec, the file services and the console programs
// raise, in one place. The German texts are the run-time library's own and
// must stay exactly as they are; the English ones are this project's.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace lum::msg {

constexpr const char* kFileOpen = "Datei %s kann nicht geöffnet werden. %s";
constexpr const char* kFileCreate = "Datei \"%s\" kann nicht erstellt werden. %s";
constexpr const char* kOutOfMemory = "Expandieren des Speicher-Stream wegen Speichermangel nicht möglich";
constexpr const char* kIntOverflow = "Integerüberlauf";
constexpr const char* kInvalidBitmap = "Bitmap ist ungültig";

// I/O errors by their code.
constexpr const char* kFileNotFound = "Datei nicht gefunden";            // 2
constexpr const char* kInvalidFileName = "Ungültiger Dateiname";         // 3
constexpr const char* kTooManyOpenFiles = "Zu viele geöffnete Dateien";  // 4
constexpr const char* kAccessDenied = "Dateizugriff verweigert";         // 5
constexpr const char* kDiskFull = "Zu wenig Speicherplatz";              // 101
constexpr const char* kIoError = "E/A-Fehler %d";                        // any other

// Refusals of malformed logo files.
constexpr const char* kLogoTooShortForHeader = "Logo file too short for its header: %d bytes";
constexpr const char* kLogoTooShortForPixels = "Logo file too short for %d x %d pixels: %d bytes";
/// A logo with more pixels than the viewer and the image plugins read (the
/// last number).
constexpr const char* kLogoTooLarge = "Logo too large: %d x %d pixels, more than %d";
/// A logo of 0 x 0 (or a negative size), where a picture is to be made.
constexpr const char* kLogoHasNoPixels = "Logo has no pixels: %d x %d";

// lumthumb's refusals: a logo file larger than it reads (its size), and a
// logo whose thumbnail would have a side longer than PNG readers take.
constexpr const char* kThumbnailInputTooLarge = "Logo file too large for a thumbnail: %d bytes";
constexpr const char* kThumbnailTooLarge = "Logo too large for a thumbnail: %d x %d pixels, more than %d on a side";

// The gdk-pixbuf loader's errors.
/// A logo file larger than the loader reads (the largest size it takes).
constexpr const char* kLogoFileTooLarge = "Logo file too large: over %d bytes";
constexpr const char* kLogoFileUnreadable = "The logo file could not be read";
constexpr const char* kPictureOutOfMemory = "Not enough memory for the logo's picture";
constexpr const char* kOnlyRgb8Saved = "Only pictures of 8-bit RGB channels can be saved as logos";
constexpr const char* kLoaderFailed = "The logo loader failed";

// The reason given when a name typed without wildcards opens, but its
// folder can't be listed (searchable only): the system's text for that.
constexpr const char* kFolderNotListed = "its folder cannot be listed: %s";
// The reason given when an input is a FIFO, socket or device.
constexpr const char* kNotARegularFile = "not a regular file";
// The reason given when a save's output would be the very file it converts.
constexpr const char* kOutputIsInput = "it is the file being converted";

/// Fills the placeholders (%s, %d, %x) of `pattern` with `args` in order.
std::string Format(std::string_view pattern, std::initializer_list<std::string_view> args);

}  // namespace lum::msg
