#include "io/SaveSet.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <set>

#include "io/AtomicWrite.h"

namespace bm {

namespace {

constexpr const char* kFirstLine = "brinemoor generation ";
// A file a save removes is read whole for its checksum: far above any saved file.
constexpr std::size_t kRemovedMaxBytes = 64u << 20;

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

bool Fail(Wording* error, std::string* failedPath, const Wording& why, const std::string& path) {
  if (error) *error = why;
  if (failedPath) *failedPath = path;
  return false;
}

bool ParseNumber(std::string_view s, int base, std::uint64_t& out) {
  if (s.empty() || s.size() > (base == 16 ? 16u : 19u)) return false;
  out = 0;
  for (char c : s) {
    int d = c >= '0' && c <= '9' ? c - '0' : base == 16 && c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    if (d < 0) return false;
    out = out * std::uint64_t(base) + std::uint64_t(d);
  }
  return true;
}

// A name inside the base folder: relative, no "..", no empty part, printable.
bool GoodName(std::string_view name) {
  if (name.empty() || name.front() == '/' || name.back() == '/') return false;
  for (char c : name)
    if ((unsigned char)c < 0x21 || (unsigned char)c > 0x7E) return false;
  for (std::size_t at = 0; at <= name.size();) {
    std::size_t slash = name.find('/', at);
    if (slash == std::string_view::npos) slash = name.size();
    std::string_view part = name.substr(at, slash - at);
    if (part.empty() || part == "." || part == "..") return false;
    at = slash + 1;
  }
  return true;
}

bool Matches(const ReadResult& r, const SavedFile& f) {
  return r.ok() && r.bytes.size() == f.size && SaveHash(r.bytes) == f.hash;
}

ReadResult MissingResult(const std::string& path) {
  ReadResult r;
  r.status = ReadStatus::Missing;
  r.error = Quoted(path) + " is missing";
  return r;
}

// A new file beside its place, whole and flushed; nothing left behind on failure.
bool WriteStaged(const std::string& path, const std::string& bytes, int& err) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    err = errno;
    return false;
  }
  bool ok = true;
  for (std::size_t done = 0; ok && done < bytes.size();) {
    const long w = SaveStepWrite(fd, bytes.data() + done, bytes.size() - done);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) {
      err = w < 0 ? errno : ENOSPC;
      ok = false;
    } else {
      done += std::size_t(w);
    }
  }
  if (ok && ::fsync(fd) != 0) {
    err = errno;
    ok = false;
  }
  if (::close(fd) != 0 && ok) {
    err = errno;
    ok = false;
  }
  if (!ok) ::unlink(path.c_str());
  return ok;
}

}  // namespace

const SavedFile* Generation::Find(const std::string& name) const {
  for (const SavedFile& f : files)
    if (f.name == name) return &f;
  return nullptr;
}

void Generation::Set(const SavedFile& file) {
  for (SavedFile& f : files)
    if (f.name == file.name) {
      f = file;
      return;
    }
  files.push_back(file);
}

std::uint64_t SaveHash(std::string_view bytes) {
  std::uint64_t h = 14695981039346656037ull;
  for (unsigned char c : bytes) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

std::string EncodeGeneration(const Generation& g) {
  std::string text = kFirstLine + std::to_string(g.number) + "\n";
  for (const SavedFile& f : g.files) {
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", (unsigned long long)f.hash);
    text += std::string(f.present ? "file " : "gone ") + std::to_string(f.size) + " " + hash + " " + f.name + "\n";
  }
  return text;
}

std::optional<Generation> DecodeGeneration(std::string_view text, std::string* error) {
  auto fail = [&](const std::string& why) -> std::optional<Generation> {
    if (error) *error = why;
    return std::nullopt;
  };
  Generation g;
  std::set<std::string_view> names;
  std::size_t at = 0;
  for (int line = 1; at < text.size(); ++line) {
    const std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) return fail("line " + std::to_string(line) + " has no end");
    const std::string_view l = text.substr(at, end - at);
    at = end + 1;
    if (line == 1) {
      if (l.substr(0, std::strlen(kFirstLine)) != kFirstLine ||
          !ParseNumber(l.substr(std::strlen(kFirstLine)), 10, g.number))
        return fail("the first line is not \"" + std::string(kFirstLine) + "N\"");
      continue;
    }
    // KIND SIZE HASH NAME
    SavedFile f;
    std::string_view parts[4];
    std::size_t from = 0;
    for (int k = 0; k < 3; ++k) {
      const std::size_t blank = l.find(' ', from);
      if (blank == std::string_view::npos) return fail("line " + std::to_string(line) + " has too few fields");
      parts[k] = l.substr(from, blank - from);
      from = blank + 1;
    }
    parts[3] = l.substr(from);
    if (parts[0] != "file" && parts[0] != "gone") return fail("line " + std::to_string(line) + " is neither file nor gone");
    f.present = parts[0] == "file";
    if (!ParseNumber(parts[1], 10, f.size) || parts[2].size() != 16 || !ParseNumber(parts[2], 16, f.hash))
      return fail("line " + std::to_string(line) + " has a bad size or checksum");
    if (!GoodName(parts[3])) return fail("line " + std::to_string(line) + " names no file of the folder");
    if (!names.insert(parts[3]).second) return fail("line " + std::to_string(line) + " names a file twice");
    f.name = std::string(parts[3]);
    g.files.push_back(f);
  }
  if (at == 0) return fail("it is empty");
  return g;
}

GenerationRead ReadGeneration(const std::string& base, const std::string& generationName) {
  GenerationRead g;
  const std::string path = base + "/" + generationName;
  ReadResult r = ReadFileBounded(path, kGenerationMaxBytes);
  g.status = r.status;
  g.error = r.error;
  g.why = r.why;
  if (r.status == ReadStatus::TooLarge) g.damaged = true;
  if (r.ok()) {
    std::string why;
    if (std::optional<Generation> decoded = DecodeGeneration(r.bytes, &why)) {
      g.generation = std::move(*decoded);
    } else {
      g.damaged = true;
      g.error = Quoted(path) + " is damaged: " + why;
    }
  }
  return g;
}

SavedRead ReadSaved(const std::string& base, const std::string& generationName, const std::string& name,
                    std::size_t maxBytes) {
  return ReadSaved(base, ReadGeneration(base, generationName), name, maxBytes);
}

SavedRead ReadSaved(const std::string& base, const GenerationRead& gen, const std::string& name,
                    std::size_t maxBytes) {
  const std::string path = base + "/" + name;
  const std::string next = path + kNextSuffix;
  SavedRead out;
  out.read = ReadFileBounded(path, maxBytes);
  const SavedFile* f = gen.status == ReadStatus::Ok && !gen.damaged ? gen.generation.Find(name) : nullptr;
  // Saved before there was a generation file, or never by a save: taken as it is.
  if (!f) return out;
  const ReadStatus status = out.read.status;
  // What cannot be read is the caller's to report; nothing here touches it.
  if (status == ReadStatus::IoError || status == ReadStatus::NotRegularFile) return out;
  const std::string save = "save " + std::to_string(gen.generation.number);
  if (!f->present) {
    if (status == ReadStatus::Missing) return out;
    if (Matches(out.read, {name, true, f->size, f->hash})) {
      // Removed by the last save, which was cut short before it got here.
      if (::unlink(path.c_str()) == 0) out.note = Quoted(path) + " removed, as " + save + " meant";
      out.read = MissingResult(path);
      return out;
    }
    out.odd = true;
    out.note = Quoted(path) + " was removed by " + save + " and is another file now";
    return out;
  }
  if (Matches(out.read, *f)) {
    ::unlink(next.c_str());  // a later save's, cut short before it counted
    return out;
  }
  ReadResult staged = ReadFileBounded(next, maxBytes);
  if (Matches(staged, *f)) {
    // The save counted, but was cut short before this file took its place.
    if (MayReplace(path) && ::rename(next.c_str(), path.c_str()) == 0) {
      SyncFolder(FolderOf(path));
      out.note = Quoted(path) + " finished from the copy " + save + " left";
    } else {
      out.note = Quoted(path) + " read from the copy " + save + " left (" + std::strerror(errno) + ")";
    }
    out.read = std::move(staged);
    return out;
  }
  if (status == ReadStatus::Missing) return out;
  out.odd = true;
  out.note = Quoted(path) + " is not the file " + save + " wrote";
  return out;
}

bool RemoveUncommitted(const std::string& base, const GenerationRead& gen, const std::string& name) {
  const std::string next = base + "/" + name + kNextSuffix;
  const ReadResult r = ReadFileBounded(next, kRemovedMaxBytes);
  if (r.status != ReadStatus::Ok && r.status != ReadStatus::TooLarge) return false;
  const SavedFile* f = gen.status == ReadStatus::Ok && !gen.damaged ? gen.generation.Find(name) : nullptr;
  if (f && f->present && Matches(r, *f)) return false;
  return ::unlink(next.c_str()) == 0;
}

std::string SaveSet::Path(const std::string& name) const { return base_ + "/" + name; }

void SaveSet::Put(const std::string& name, std::string bytes) {
  removes_.erase(std::remove(removes_.begin(), removes_.end(), name), removes_.end());
  for (auto& [n, b] : puts_)
    if (n == name) {
      b = std::move(bytes);
      return;
    }
  puts_.emplace_back(name, std::move(bytes));
}

void SaveSet::Remove(const std::string& name) {
  puts_.erase(std::remove_if(puts_.begin(), puts_.end(), [&](const auto& p) { return p.first == name; }), puts_.end());
  if (std::find(removes_.begin(), removes_.end(), name) == removes_.end()) removes_.push_back(name);
}

bool SaveSet::Commit(Wording* error, std::string* failedPath) {
  Wording why;
  // Nothing that could not be read is replaced or removed: checked before anything is written.
  for (const auto& [name, bytes] : puts_)
    if (!MayReplace(Path(name), &why)) return Fail(error, failedPath, why, Path(name));
  for (const std::string& name : removes_)
    if (!MayReplace(Path(name), &why)) return Fail(error, failedPath, why, Path(name));
  const std::string genPath = Path(generationName_);
  const GenerationRead current = ReadGeneration(base_, generationName_);
  if (!MayReplace(genPath, &why)) return Fail(error, failedPath, why, genPath);
  Generation next = current.status == ReadStatus::Ok && !current.damaged ? current.generation : Generation{};
  ++next.number;

  // 1. Every new file whole beside its place.
  std::vector<std::string> staged, folders;
  auto dropStaged = [&] {
    for (const std::string& p : staged) ::unlink(p.c_str());
  };
  for (const auto& [name, bytes] : puts_) {
    const std::string path = Path(name);
    int err = 0;
    if (!WriteStaged(path + kNextSuffix, bytes, err)) {
      dropStaged();
      return Fail(error, failedPath, CannotWrite(path, err), path);
    }
    staged.push_back(path + kNextSuffix);
    if (std::find(folders.begin(), folders.end(), FolderOf(path)) == folders.end()) folders.push_back(FolderOf(path));
    next.Set({name, true, bytes.size(), SaveHash(bytes)});
  }
  std::vector<std::string> touched = folders;
  for (const std::string& name : removes_) {
    if (std::find(touched.begin(), touched.end(), FolderOf(Path(name))) == touched.end())
      touched.push_back(FolderOf(Path(name)));
    const ReadResult r = ReadFileBounded(Path(name), kRemovedMaxBytes);
    next.Set({name, false, r.ok() ? r.bytes.size() : 0, r.ok() ? SaveHash(r.bytes) : 0});
  }
  // The new names must be on disk before the generation file names their contents.
  for (const std::string& folder : folders) SyncFolder(folder);

  // 2. The moment the save counts.
  if (!WriteFileAtomic(genPath, EncodeGeneration(next), &why)) {
    dropStaged();
    return Fail(error, failedPath, why, genPath);
  }

  // 3. Into place; a step that fails here is finished by the next read.
  std::string late;
  for (const auto& [name, bytes] : puts_)
    if (SaveStepRename(Path(name) + kNextSuffix, Path(name)) != 0 && late.empty())
      late = "cannot put " + Quoted(Path(name)) + " in place: " + std::strerror(errno);
  for (const std::string& name : removes_)
    if (SaveStepUnlink(Path(name)) != 0 && errno != ENOENT && late.empty())
      late = "cannot remove " + Quoted(Path(name)) + ": " + std::strerror(errno);
  for (const std::string& folder : touched) SyncFolder(folder);
  CountAtomicWrites(puts_.size() + removes_.size());
  if (error) *error = AsIs(late);
  return true;
}

}  // namespace bm
