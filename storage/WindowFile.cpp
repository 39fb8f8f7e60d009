#include "storage/WindowFile.h"

#include <algorithm>

#include "diag/Logs.h"
#include "io/AtomicWrite.h"
#include "io/Bytes.h"
#include "io/SafeRead.h"
#include "lang/Tr.h"

namespace bm {

namespace {
std::string FilePath(const std::string& dir) { return (dir.empty() ? std::string(".") : dir) + "/" + kWindowFileName; }
}  // namespace

std::string SerializeWindowRecord(const WindowRecord& r) {
  ByteWriter w;
  w.I32(r.Width);
  w.I32(r.Height);
  w.I16(r.Maximised);
  return w.Take();
}

std::optional<WindowRecord> ParseWindowRecord(std::string_view bytes) {
  if (bytes.size() != kWindowRecordSize) return std::nullopt;
  ByteReader in(bytes);
  WindowRecord r;
  r.Width = in.I32();
  r.Height = in.I32();
  r.Maximised = in.I16();
  bool sized = r.Width >= kWindowMinWidth && r.Width <= kWindowMaxEdge && r.Height >= kWindowMinHeight &&
               r.Height <= kWindowMaxEdge;
  if (!in.ok() || !sized || (r.Maximised != 0 && r.Maximised != -1)) return std::nullopt;
  return r;
}

std::optional<WindowRecord> LoadWindowRecord(const std::string& dir, Logs& logs) {
  constexpr const char* kPlace = "LoadWindowRecord";
  const ReadResult raw = ReadFileBounded(FilePath(dir), kWindowRecordSize);
  if (raw.status == ReadStatus::Missing) return std::nullopt;
  std::optional<WindowRecord> r;
  if (raw.ok()) r = ParseWindowRecord(raw.bytes);
  if (r) return r;
  if (raw.status == ReadStatus::TooLarge || raw.ok()) {
    logs.WriteRunLog(kPlace, "\"" + FilePath(dir) + "\" damaged; the window takes the chosen resolution's size");
    KeepDamagedFile(&logs, kPlace, FilePath(dir));
  } else {
    LogReadFailure(logs, kPlace, raw, "the window takes the chosen resolution's size; it is left as it is, never saved over");
    NoticeUnreadable(raw, FilePath(dir));
  }
  return std::nullopt;
}

bool SaveWindowRecord(const std::string& dir, const WindowRecord& r, Logs& logs) {
  Wording error;
  if (WriteFileAtomic(FilePath(dir), SerializeWindowRecord(r), &error)) return true;
  logs.WriteRunLog("SaveWindowRecord", error.English());
  // TRANSLATORS: A notice over any screen (and the web page's status line), %s the reason ("cannot write
  // \"/home/mary/.local/share/brinemoor/saves/players.dat\": No space left on device"). Wrapped over several lines;
  // room: about half again as long as the English.
  NoticeNotSaved(TrNoop("The window's size could not be saved: %s. The last save is kept."), FilePath(dir), error);
  return false;
}

WindowRecord FitWindowRecord(WindowRecord r, int desktopWidth, int desktopHeight) {
  r.Width = std::clamp(r.Width, kWindowMinWidth, std::max(kWindowMinWidth, desktopWidth));
  r.Height = std::clamp(r.Height, kWindowMinHeight, std::max(kWindowMinHeight, desktopHeight));
  return r;
}

}  // namespace bm
