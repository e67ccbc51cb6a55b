// Writes a synthetic VB6 estate of about the requested size: a project group
// listing projects in sibling folders, each listing forms (with designer
// headers), classes and standard modules, a few modules shared through
// "..\Shared", CR LF line ends. The same arguments always give the same bytes.
//
//   make_estate FOLDER MEGABYTES [MEGABYTES_PER_PROJECT]
//   make_estate FOLDER --modules N --projects P [--real]
//
// Projects take about 2 MB (some 40 modules) each unless told otherwise; as
// many megabytes a project as the whole makes a group of one project. The
// second form writes exactly N modules in P projects of equal count (the
// load test's shape), whatever their bytes. With --real its modules have the
// densities of real code bases: 200 to 2,000 lines and about 20 procedures
// each, complexity spread as real estates spread it (96.5 % 1-10, 2.6 % 11-20,
// 0.8 % 21-50, 0.1 % over 50), Declares, forms with controls and
// components, what will not convert as it is, and libraries of the estate
// that later projects reference.
//
// Prints the group file's name and the number of modules and bytes written,
// and leaves modules.lst: the module files in the order a run reads them,
// NUL-separated, for tools such as `wc --files0-from`.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
  }
  int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
  bool percent(int p) { return below(100) < p; }

 private:
  std::uint64_t state_;
};

const char* const kWords[] = {"Customer", "Order",  "Invoice", "Stock",  "Price", "Total",
                              "Index",    "Record", "Buffer",  "Report", "Item",  "Count",
                              "Amount",   "Vendor", "Account", "Ledger", "Batch", "Status"};

std::string word(Random& r) {
  return kWords[r.below(static_cast<int>(std::size(kWords)))];
}

class ModuleWriter {
 public:
  explicit ModuleWriter(Random& r) : r_(r) {}
  std::string text;

  void line(const std::string& s) { text += s + "\r\n"; }

  void comment(int indent) {
    static const char* const kComments[] = {
        "' Keeps the running total in step with the grid",
        "'--- validation -------------------------------------------------",
        "' TODO: remove once the old ledger format is gone",
        "Rem Checked against the month-end figures", "' Returns 0 when the record was not found"};
    line(std::string(indent, ' ') + kComments[r_.below(5)]);
  }

  void statement(int indent) {
    std::string pad(indent, ' ');
    std::string a = word(r_), b = word(r_);
    switch (r_.below(12)) {
      case 0:
        line(pad + "m" + a + " = m" + a + " + l" + b);
        break;
      case 1:
        line(pad + "s" + a + " = s" + a + " & \"" + std::string(40 + r_.below(160), 'x') +
             " \" & CStr(l" + b + ")");
        break;
      case 2:
        line(pad + "Call Update" + a + "(l" + b + ", True)");
        break;
      case 3:
        line(pad + "Set o" + a + " = New c" + b);
        break;
      case 4:
        line(pad + "If l" + a + " > 0 Then l" + b + " = l" + a + " * 2");
        break;
      case 5:
        line(pad + "Debug.Print \"" + a + ": \"; l" + b);
        break;
      case 6:
        line(pad + "rs" + a + ".MoveNext");
        break;
      case 7:
        line(pad + "l" + a + " = Len(Trim$(s" + b + "))  ' length without blanks");
        break;
      case 8:
        line(pad + "s" + a + " = Format$(c" + b + ", \"#,##0.00\") & _");
        line(pad + "    \" \" & s" + b);
        break;
      case 9:
        line(pad + "On Error GoTo ErrHandler");
        break;
      case 10:
        line(pad + "Exit Sub");
        break;
      default:
        line(pad + "c" + a + " = c" + a + " - c" + b + " / 100");
        break;
    }
  }

  void block(int indent, int depth) {
    std::string pad(indent, ' ');
    int kind = depth > 2 ? 9 : r_.below(10);
    std::string a = word(r_);
    switch (kind) {
      case 0:
        line(pad + "For i = 1 To rs" + a + ".RecordCount");
        body(indent + 4, depth + 1);
        line(pad + "Next i");
        break;
      case 1:
        line(pad + "If l" + a + " = 0 Then");
        body(indent + 4, depth + 1);
        line(pad + "ElseIf l" + a + " < 0 Then");
        body(indent + 4, depth + 1);
        line(pad + "Else");
        body(indent + 4, depth + 1);
        line(pad + "End If");
        break;
      case 2:
        line(pad + "Do While Not rs" + a + ".EOF");
        body(indent + 4, depth + 1);
        line(pad + "Loop");
        break;
      case 3:
        line(pad + "While l" + a + " < 10");
        body(indent + 4, depth + 1);
        line(pad + "Wend");
        break;
      case 4:
        line(pad + "Select Case l" + a);
        line(pad + "Case 1, 2");
        body(indent + 4, depth + 1);
        line(pad + "Case Else:");
        body(indent + 4, depth + 1);
        line(pad + "End Select");
        break;
      case 5:
        line(pad + "For Each o" + a + " In col" + a);
        body(indent + 4, depth + 1);
        line(pad + "Next");
        break;
      default:
        statement(indent);
        break;
    }
  }

  void body(int indent, int depth) {
    int n = 1 + r_.below(4);
    for (int i = 0; i < n; ++i) {
      if (r_.percent(35)) comment(indent);
      if (r_.percent(28)) line("");
      block(indent, depth);
    }
  }

  void procedure() {
    static const char* const kKinds[] = {
        "Private Sub",     "Public Function",     "Sub",
        "Function",        "Public Property Get", "Public Property Let",
        "Friend Function", "Private Function"};
    int k = r_.below(8);
    std::string kind = kKinds[k];
    std::string name = word(r_) + word(r_);
    bool is_sub = kind.find("Sub") != std::string::npos || kind.find("Let") != std::string::npos;
    comment(0);
    comment(0);
    line(kind + " " + name + "(ByVal l" + word(r_) + " As Long)" + (is_sub ? "" : " As Long"));
    line("    Dim i As Long");
    if (r_.percent(60)) line("    Dim s" + word(r_) + " As String");
    line("");
    body(4, 0);
    if (r_.percent(30)) {
      line("    Exit " + std::string(is_sub ? (k == 5 ? "Property" : "Sub") : "Function"));
      line("ErrHandler:");
      line("    MsgBox Err.Description");
    }
    line(std::string("End ") + (k >= 4 && k <= 5 ? "Property" : is_sub ? "Sub" : "Function"));
    line("");
  }

  void declarations() {
    line("Option Explicit");
    line("");
    comment(0);
    if (r_.percent(40)) {
      line("Private Declare Function GetTickCount Lib \"kernel32\" () As Long");
      line("Private Declare Sub Sleep Lib \"kernel32\" _");
      line("    (ByVal dwMilliseconds As Long)");
    }
    if (r_.percent(40)) {
      line("Public Enum e" + word(r_));
      line("    eFirst = 1");
      line("    eSecond = 2");
      line("End Enum");
    }
    if (r_.percent(30)) {
      line("Private Type t" + word(r_));
      line("    Id As Long");
      line("    Name As String * 40");
      line("End Type");
    }
    int n = 2 + r_.below(5);
    for (int i = 0; i < n; ++i) {
      switch (r_.below(4)) {
        case 0:
          line("Private Const c" + word(r_) + std::to_string(i) + " As Long = 100");
          break;
        case 1:
          line("Private m" + word(r_) + std::to_string(i) + " As Long");
          break;
        case 2:
          line("Dim s" + word(r_) + std::to_string(i) + " As String");
          break;
        default:
          line("Public Event Changed" + std::to_string(i) + "(ByVal Value As Long)");
          break;
      }
    }
    line("");
  }

  void fill(std::size_t target_bytes) {
    declarations();
    while (text.size() < target_bytes) procedure();
  }

 private:
  Random& r_;
};

std::string form_header(const std::string& name, Random& r) {
  std::string h = "VERSION 5.00\r\nBegin VB.Form " + name + "\r\n";
  h += "   Caption         =   \"" + name + "\"\r\n   ClientHeight    =   4230\r\n";
  h += "   ClientWidth     =   6840\r\n   StartUpPosition =   3  'Windows Default\r\n";
  int controls = 1 + r.below(6);
  for (int i = 0; i < controls; ++i) {
    h += "   Begin VB.CommandButton cmd" + word(r) + std::to_string(i) + "\r\n";
    h += "      Caption         =   \"&OK\"\r\n      Height          =   375\r\n";
    h += "      TabIndex        =   " + std::to_string(i) + "\r\n   End\r\n";
  }
  h += "End\r\n";
  h += "Attribute VB_Name = \"" + name + "\"\r\nAttribute VB_GlobalNameSpace = False\r\n";
  h += "Attribute VB_Creatable = False\r\nAttribute VB_PredeclaredId = True\r\n";
  h += "Attribute VB_Exposed = False\r\n";
  return h;
}

std::string class_header(const std::string& name) {
  return "VERSION 1.0 CLASS\r\nBEGIN\r\n  MultiUse = -1  'True\r\nEND\r\nAttribute VB_Name = \"" +
         name + "\"\r\nAttribute VB_GlobalNameSpace = False\r\nAttribute VB_Creatable = True\r\n";
}

void write_file(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  if (!out) {
    std::fprintf(stderr, "make_estate: cannot write %s\n", path.string().c_str());
    std::exit(1);
  }
}

struct Totals {
  long long bytes = 0;
  int modules = 0;
  std::string listed;  // module files in the order a run reads them, NUL-separated
};

std::string make_module(char kind, const std::string& name, std::size_t size, Random& r) {
  ModuleWriter w(r);
  if (kind == 'f') w.text = form_header(name, r);
  if (kind == 'c') w.text = class_header(name);
  if (kind == 'b') w.text = "Attribute VB_Name = \"" + name + "\"\r\n";
  w.fill(size);
  return w.text;
}

// A module as real code bases have them (--real).
class RealWriter {
 public:
  RealWriter(Random& r, std::string& text) : r_(r), text_(text) {}

  void module(int lines) {
    if (!r_.percent(10)) line("Option Explicit");
    if (r_.percent(3)) line("DefInt A-Z");
    if (r_.percent(2)) line("Option Base 1");
    line("");
    if (r_.percent(35)) {
      line("Private Declare Function GetTickCount Lib \"kernel32\" () As Long");
      line("Private Declare Function SendMessage Lib \"user32\" Alias \"SendMessageA\" _");
      line("    (ByVal hWnd As Long, ByVal wMsg As Long, ByVal wParam As Long, _");
      line("    lParam As Long) As Long");
      line(
          "Private Declare Sub CopyMemory Lib \"kernel32\" Alias \"RtlMoveMemory\" (pDst As Any, "
          "_");
      line("    pSrc As Any, ByVal ByteLen As Long)");
    }
    for (int i = 0, n = 2 + r_.below(6); i < n; ++i)
      line("Private m" + word(r_) + std::to_string(i) +
           (r_.percent(10) ? " As Variant" : " As Long"));
    const int procedures = 10 + r_.below(21);
    for (int p = 0; p < procedures; ++p) procedure(lines / procedures, complexity());
  }

 private:
  void line(const std::string& s) { text_ += s + "\r\n"; }

  int complexity() {
    const int at = r_.below(1000);
    if (at < 965) return 1 + r_.below(10) * r_.below(10) / 9;
    if (at < 991) return 11 + r_.below(10);
    if (at < 999) return 21 + r_.below(30);
    return 51 + r_.below(70);
  }

  void statement(const std::string& pad) {
    const std::string a = word(r_), b = word(r_);
    // One line in a hundred is of a kind that will not convert as it is.
    switch (r_.percent(1) ? r_.below(7) : 7 + r_.below(33)) {
      case 0:
        line(pad + "GoSub Recalc" + a);
        return;
      case 1:
        line(pad + "On Error Resume Next");
        return;
      case 2:
        line(pad + "Set o" + a + " = CreateObject(\"Excel.Application\")");
        return;
      case 3:
        line(pad + "Dim col" + a + " As New Collection");
        return;
      case 4:
        line(pad + "Dim s" + a + " As String * 20");
        return;
      case 5:
        line(pad + "GoTo Retry" + a);
        return;
      case 6:
        line(pad + "l" + a + " = VarPtr(l" + b + ")");
        return;
      case 7:
      case 8:
      case 9:
      case 10:
      case 11:
        line(pad + "' " + a + " is kept in step with " + b);
        return;
      case 12:
      case 13:
      case 14:
        line("");
        return;
      case 15:
        line(pad + "s" + a + " = \"" + b + " \" & Format$(c" + b + ", \"#,##0.00\") & _");
        line(pad + "    \" of \" & s" + b);
        return;
      case 16:
      case 17:
        line(pad + "Dim l" + a + " As Long");
        return;
      default:
        line(pad + "l" + a + " = l" + a + " + Len(s" + b + ") * " + std::to_string(r_.below(100)));
        return;
    }
  }

  // One way more through the procedure, or several: For, Do, If with
  // ElseIfs, Select Case with Cases. Returns how many it adds.
  int branch(const std::string& pad, int most) {
    const std::string a = word(r_);
    switch (r_.below(5)) {
      case 0:
        line(pad + "For i = 1 To rs" + a + ".RecordCount");
        statement(pad + "    ");
        line(pad + "Next i");
        return 1;
      case 1:
        line(pad + "Do While Not rs" + a + ".EOF");
        statement(pad + "    ");
        line(pad + "Loop");
        return 1;
      case 2: {
        const int arms = 1 + r_.below(std::min(most, 4));
        line(pad + "If l" + a + " = 0 Then");
        statement(pad + "    ");
        for (int i = 1; i < arms; ++i) {
          line(pad + "ElseIf l" + a + " = " + std::to_string(i) + " Then");
          statement(pad + "    ");
        }
        line(pad + "End If");
        return arms;
      }
      case 3: {
        const int cases = 1 + r_.below(std::min(most, 6));
        line(pad + "Select Case l" + a);
        for (int i = 0; i < cases; ++i) {
          line(pad + "Case " + std::to_string(i));
          statement(pad + "    ");
        }
        line(pad + "Case Else");
        line(pad + "End Select");
        return cases;
      }
      default:
        line(pad + "If l" + a + " > 0 Then l" + a + " = 0");
        return 1;
    }
  }

  void procedure(int lines, int complexity) {
    static const char* const kKinds[] = {"Private Sub", "Public Function",     "Private Function",
                                         "Public Sub",  "Public Property Get", "Friend Function"};
    const int k = r_.below(6);
    const bool is_sub = k == 0 || k == 3;
    line("");
    line(std::string(kKinds[k]) + " " + word(r_) + word(r_) + std::to_string(r_.below(100)) +
         "(ByVal l" + word(r_) + " As Long)" + (is_sub ? "" : " As Long"));
    int left = complexity - 1;
    for (int done = 0; left > 0 || done < lines; ++done) {
      if (left > 0 && (done >= lines || r_.percent(25))) {
        left -= branch("    ", left);
      } else {
        statement("    ");
      }
    }
    line(std::string("End ") + (k == 4 ? "Property" : is_sub ? "Sub" : "Function"));
  }

  Random& r_;
  std::string& text_;
};

std::string real_form_header(const std::string& name, Random& r) {
  std::string h = "VERSION 5.00\r\n";
  h += "Object = \"{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0\"; \"MSCOMCTL.OCX\"\r\n";
  h += "Begin VB.Form " + name + "\r\n   Caption         =   \"" + name + "\"\r\n";
  static const char* const kControls[] = {"VB.TextBox",           "VB.Label",
                                          "VB.CommandButton",     "VB.ComboBox",
                                          "MSComctlLib.ListView", "VB.Frame"};
  for (int i = 0, n = 3 + r.below(28); i < n; ++i) {
    h += std::string("   Begin ") + kControls[r.below(6)] + " ctl" + std::to_string(i) + "\r\n";
    h += "      Height          =   375\r\n      TabIndex        =   " + std::to_string(i) +
         "\r\n   End\r\n";
  }
  if (r.percent(2)) h += "   Begin VB.Data datMain\r\n   End\r\n";
  return h + "End\r\nAttribute VB_Name = \"" + name + "\"\r\n";
}

std::string make_real_module(char kind, const std::string& name, Random& r) {
  std::string text = kind == 'f'   ? real_form_header(name, r)
                     : kind == 'c' ? class_header(name)
                                   : "Attribute VB_Name = \"" + name + "\"\r\n";
  // 200 to 2,000 lines, most of them short: some 400 on average.
  const int spread = r.below(1801) * r.below(1801) / 1800 * r.below(1801) / 1800;
  RealWriter(r, text).module(200 + spread);
  return text;
}

// Module sizes spread from 2 KB to about 120 KB, as in real projects.
std::size_t module_size(Random& r) {
  return 2000 + static_cast<std::size_t>(r.below(60)) * r.below(2000);
}

void make_shared(const std::filesystem::path& root, Random& r, Totals& t) {
  std::filesystem::create_directories(root / "Shared");
  for (int i = 1; i <= 3; ++i) {
    std::string name = "modShared" + std::to_string(i);
    std::string text = make_module('b', name, module_size(r), r);
    write_file(root / "Shared" / (name + ".bas"), text);
    t.bytes += static_cast<long long>(text.size());
  }
}

// What one project may take: bytes or a number of modules, whichever ends first.
struct Budget {
  long long bytes;
  int modules;
  bool real;
};

void make_project(const std::filesystem::path& root, int number, Random& r, Budget budget,
                  Totals& t) {
  char id[16];
  std::snprintf(id, sizeof id, "P%04d", number);
  std::filesystem::path folder = root / id;
  std::filesystem::create_directories(folder);
  std::string vbp = std::string(budget.real && number % 3 != 0 ? "Type=OleDll" : "Type=Exe") +
                    "\r\nReference=*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#"
                    "..\\..\\Windows\\system32\\stdole2.tlb#OLE Automation\r\n";
  // Real estates are mostly libraries of their own, each used by later
  // projects.
  for (int i = 0; budget.real && number > 1 && i < 2; ++i) {
    char used[64];
    const int other = 1 + r.below(number - 1);
    std::snprintf(used, sizeof used, "..\\P%04d\\P%04d.dll#P%04d\r\n", other, other, other);
    if (other % 3 != 0)
      vbp += "Reference=*\\G{00000000-0000-0000-0000-000000000001}#1.0#0#" + std::string(used);
  }
  long long written = 0;
  for (int m = 0; written < budget.bytes && m < budget.modules; ++m) {
    char kind = "ffcbbcbf"[r.below(8)];
    std::string name = (kind == 'f'   ? "frm"
                        : kind == 'c' ? "c"
                                      : "mod") +
                       word(r) + std::to_string(m);
    std::string file = name + (kind == 'f' ? ".frm" : kind == 'c' ? ".cls" : ".bas");
    std::string text =
        budget.real ? make_real_module(kind, name, r) : make_module(kind, name, module_size(r), r);
    write_file(folder / file, text);
    written += static_cast<long long>(text.size());
    ++t.modules;
    t.listed += std::string(id) + "/" + file + '\0';
    if (kind == 'f') vbp += "Form=" + file + "\r\n";
    if (kind == 'c') vbp += "Class=" + name + "; " + file + "\r\n";
    if (kind == 'b') vbp += "Module=" + name + "; " + file + "\r\n";
  }
  if (number % 4 == 1) {
    vbp += "Module=modShared1; ..\\Shared\\modShared1.bas\r\n";
    t.listed += std::string(id) + "/../Shared/modShared1.bas" + '\0';
  }
  vbp += "Startup=\"Sub Main\"\r\nName=\"" + std::string(id) + "\"\r\nMajorVer=1\r\n";
  if (budget.real)
    vbp += "ExeName32=\"" + std::string(id) + (number % 3 != 0 ? ".dll" : ".exe") + "\"\r\n";
  write_file(folder / (std::string(id) + ".vbp"), vbp);
  t.bytes += written;
}

}  // namespace

namespace {

struct Shape {
  long long bytes = 0, bytes_per_project = 0;
  int modules = 0, projects = 0;
  bool by_count = false;
  bool real = false;
};

constexpr int kAnyNumber = 1 << 30;

bool read_shape(int argc, char** argv, Shape& shape) {
  shape.real = argc == 7 && std::string(argv[6]) == "--real";
  if ((argc == 6 || shape.real) && std::string(argv[2]) == "--modules" &&
      std::string(argv[4]) == "--projects") {
    shape.modules = std::atoi(argv[3]);
    shape.projects = std::atoi(argv[5]);
    shape.bytes = shape.bytes_per_project = 1LL << 62;
    shape.by_count = true;
    return shape.projects > 0 && shape.modules >= shape.projects && shape.projects <= 9999;
  }
  if (argc != 3 && argc != 4) return false;
  shape.bytes = static_cast<long long>(std::atof(argv[2]) * 1e6);
  shape.bytes_per_project = static_cast<long long>((argc == 4 ? std::atof(argv[3]) : 2) * 1e6);
  shape.modules = shape.projects = kAnyNumber;
  return shape.bytes > 0 && shape.bytes_per_project > 0;
}

}  // namespace

int main(int argc, char** argv) {
  Shape shape;
  if (!read_shape(argc, argv, shape)) {
    std::fprintf(stderr,
                 "usage: make_estate FOLDER MEGABYTES [MEGABYTES_PER_PROJECT]\n"
                 "       make_estate FOLDER --modules N --projects P [--real] (P up to 9999)\n");
    return 1;
  }
  std::filesystem::path root = argv[1];
  Random r(20001314);
  Totals t;
  std::filesystem::create_directories(root);
  make_shared(root, r, t);
  std::string vbg = "VBGROUP 5.0\r\n";
  for (int p = 1; t.bytes < shape.bytes && p <= shape.projects; ++p) {
    // Modules are shared out evenly; the first projects take the remainder.
    const int modules = shape.by_count
                            ? shape.modules / shape.projects + (p <= shape.modules % shape.projects)
                            : kAnyNumber;
    make_project(root, p, r,
                 {std::min(shape.bytes_per_project, shape.bytes - t.bytes), modules, shape.real},
                 t);
    char line[64];
    std::snprintf(line, sizeof line, "%sProject=P%04d\\P%04d.vbp\r\n", p == 1 ? "Startup" : "", p,
                  p);
    vbg += line;
  }
  write_file(root / "Estate.vbg", vbg);
  write_file(root / "modules.lst", t.listed);
  std::printf("Estate.vbg %d modules %lld bytes\n", t.modules, t.bytes);
  return 0;
}
