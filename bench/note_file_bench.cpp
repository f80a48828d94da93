// Opening and saving a 10 MB note against reading and writing the same bytes plus a bare
// EM_STREAMIN / EM_STREAMOUT of them.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/ids.h"
#include "app/main_window.h"
#include "bench/benchmarks.h"
#include "bench/harness.h"
#include "notes/content_directory.h"
#include "notes/note_commands.h"
#include "notes/note_tree.h"
#include "runtime/files.h"
#include "runtime/tree_view.h"

namespace bench {
namespace {

// 10 MB unless XW_NOTE_MB names another size: Wine's RichEdit reads about a megabyte in 15 s,
// so under Wine the figure is taken on a smaller note (see scripts/bench.sh).
size_t NoteBytes() {
  char mb[16] = {};
  GetEnvironmentVariableA("XW_NOTE_MB", mb, sizeof mb);
  return (mb[0] ? static_cast<size_t>(std::atoi(mb)) : 10u) << 20;
}
const size_t kNoteBytes = NoteBytes();

std::string BigRtf() {
  std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ";
  // Long paragraphs: Wine's RichEdit takes minutes for a megabyte of short ones.
  for (int line = 0; rtf.size() < kNoteBytes; ++line) {
    rtf += "Sentence " + std::to_string(line) + " of a long note, with plain words in it. ";
    if (line % 100 == 99) rtf += "\\par\r\n";
  }
  rtf += "}";
  return rtf;
}

struct Reader {
  const std::string* data;
  size_t offset;
};

DWORD CALLBACK ReadChunk(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
  auto* r = reinterpret_cast<Reader*>(cookie);
  size_t n = std::min<size_t>(static_cast<size_t>(wanted), r->data->size() - r->offset);
  std::memcpy(buffer, r->data->data() + r->offset, n);
  r->offset += n;
  *given = static_cast<LONG>(n);
  return 0;
}

DWORD CALLBACK WriteChunk(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* taken) {
  reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer), count);
  *taken = count;
  return 0;
}

void BareOpenAndSave(HWND editor, const std::string& from, const std::string& to) {
  std::string bytes = rt::ReadWholeFile(from).value_or("");
  Reader reader{&bytes, 0};
  EDITSTREAM in{reinterpret_cast<DWORD_PTR>(&reader), 0, ReadChunk};
  SendMessageA(editor, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&in));
  std::string out;
  EDITSTREAM streamOut{reinterpret_cast<DWORD_PTR>(&out), 0, WriteChunk};
  SendMessageA(editor, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&streamOut));
  rt::WriteWholeFile(to, out);
}

}  // namespace

bool NoteFileBenchmark() {
  ScratchDirectory run;
  notes::SetRunDirectoryOverride(run.Path());
  const std::string note = notes::ContentRoot() + "big\\big.txt";
  CreateDirectoryA(notes::ContentRoot().c_str(), nullptr);
  CreateDirectoryA((notes::ContentRoot() + "big").c_str(), nullptr);
  const std::string original = BigRtf();
  rt::WriteWholeFile(note, original);
  const std::string copy = run.Path() + "\\copy.rtf";
  rt::WriteWholeFile(copy, original);

  app::MainWindow().Create();
  HWND editor = app::MainWindow().Control(app::kEditor);
  notes::RefreshNoteTree();
  // Selecting the note opens it once (untimed).
  rt::TreeSelectItem(notes::NoteTree(), 1);

  double baseline = 0, measured = 0;
  for (int round = 0; round < 3; ++round) {
    double b = FastestMs(1, [&] { BareOpenAndSave(editor, copy, copy); });
    double m = FastestMs(1, [] {
      notes::OpenSelectedNote();
      notes::SaveSelectedNote();
    });
    baseline = round == 0 ? b : std::min(baseline, b);
    measured = round == 0 ? m : std::min(measured, m);
  }
  bool saved = rt::ReadWholeFile(note).value_or("").size() > kNoteBytes / 2;
  app::MainWindow().Close();
  notes::SetRunDirectoryOverride("");
  if (!saved) std::printf("note open/save: the note was not saved\n");
  return Report("open + save of a " + std::to_string(kNoteBytes >> 20) + " MB note", measured, baseline, 1.5) && saved;
}

}  // namespace bench
