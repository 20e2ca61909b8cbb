// The chart side by side with other plotting tools: line charts of 10^4 to 10^7 points, scatter
// charts of 10^4 to 10^6 marks and an empty chart, each an 800 x 600 PNG. scripts/bench runs it:
//
//   kiv_chart_bench write DIR         writes the data sets once (DIR/sets.tsv lists them; each
//                                     set is a file of little-endian float64 x, y pairs), for
//                                     the chart and for the peers alike
//   kiv_chart_bench table DIR [TASK]  times the chart on every set (or the sets whose names
//                                     contain TASK) and prints one table with the peers' times
//                                     read from DIR/peers.tsv ("task<TAB>peer<TAB>seconds")
//
// Each task runs in a child process of its own, so that its peak memory is its own: bytes per
// item are the growth of the peak resident set over the resident set before the chart was made.
// Timings are the best of several runs in a warm process (fonts loaded); the cold start of a new
// process is measured once and printed below the table.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "rchart/rchart.h"

namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point t0) {
  return std::chrono::duration<double>(Clock::now() - t0).count();
}

struct DataSet {
  std::string name;  // "line 1e6"
  std::string file;  // file name inside DIR
  std::string kind;  // "line", "scatter" or "empty"
  long long n = 0;
  double xlo = 0, xhi = 1, ylo = 0, yhi = 1;
  int runs = 5;
};

std::string Pow10Name(long long n) {
  int e = 0;
  while (n >= 10) n /= 10, ++e;
  return "1e" + std::to_string(e);
}

// The sets: a random walk over x = 0 .. n-1 (a dense time series), uniform random marks, and
// no data at all (the fixed cost of a picture).
std::vector<DataSet> Sets() {
  std::vector<DataSet> sets;
  for (long long n : {10'000LL, 100'000LL, 1'000'000LL, 10'000'000LL}) {
    DataSet s;
    s.kind = "line";
    s.n = n;
    s.name = "line " + Pow10Name(n);
    s.file = "line_" + std::to_string(n) + ".bin";
    s.runs = n >= 10'000'000 ? 3 : (n >= 1'000'000 ? 5 : 9);
    sets.push_back(s);
  }
  for (long long n : {10'000LL, 100'000LL, 1'000'000LL}) {
    DataSet s;
    s.kind = "scatter";
    s.n = n;
    s.name = "scatter " + Pow10Name(n);
    s.file = "scatter_" + std::to_string(n) + ".bin";
    s.runs = n >= 1'000'000 ? 5 : 9;
    sets.push_back(s);
  }
  DataSet e;
  e.kind = "empty";
  e.name = "empty chart";
  e.file = "empty.bin";
  e.runs = 9;
  sets.push_back(e);
  return sets;
}

int Write(const std::string& dir) {
  std::ofstream list(dir + "/sets.tsv");
  list << "name\tfile\tkind\tn\txlo\txhi\tylo\tyhi\truns\n";
  for (DataSet s : Sets()) {
    std::vector<double> xy(static_cast<std::size_t>(2 * s.n));
    std::mt19937_64 rng(12345 + static_cast<unsigned long long>(s.n));
    if (s.kind == "line") {
      std::normal_distribution<double> step(0, 1);
      double y = 0, lo = 0, hi = 0;
      for (long long i = 0; i < s.n; ++i) {
        xy[static_cast<std::size_t>(2 * i)] = static_cast<double>(i);
        xy[static_cast<std::size_t>(2 * i + 1)] = y;
        lo = std::min(lo, y);
        hi = std::max(hi, y);
        y += step(rng);
      }
      const double pad = 0.05 * (hi - lo);
      s.xlo = 0;
      s.xhi = static_cast<double>(s.n - 1);
      s.ylo = lo - pad;
      s.yhi = hi + pad;
    } else if (s.kind == "scatter") {
      std::uniform_real_distribution<double> u(0, 1);
      for (double& v : xy) v = u(rng);
    }
    std::ofstream f(dir + "/" + s.file, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(xy.data()),
            static_cast<std::streamsize>(xy.size() * sizeof(double)));
    if (!f) {
      std::fprintf(stderr, "cannot write %s/%s\n", dir.c_str(), s.file.c_str());
      return 1;
    }
    char line[512];
    std::snprintf(line, sizeof line, "%s\t%s\t%s\t%lld\t%.17g\t%.17g\t%.17g\t%.17g\t%d\n",
                  s.name.c_str(), s.file.c_str(), s.kind.c_str(), s.n, s.xlo, s.xhi, s.ylo, s.yhi,
                  s.runs);
    list << line;
  }
  return list ? 0 : 1;
}

std::vector<DataSet> ReadSets(const std::string& dir) {
  std::ifstream list(dir + "/sets.tsv");
  std::string line;
  std::getline(list, line);
  std::vector<DataSet> sets;
  while (std::getline(list, line)) {
    std::istringstream in(line);
    DataSet s;
    std::getline(in, s.name, '\t');
    std::getline(in, s.file, '\t');
    std::getline(in, s.kind, '\t');
    in >> s.n >> s.xlo >> s.xhi >> s.ylo >> s.yhi >> s.runs;
    if (in) sets.push_back(s);
  }
  return sets;
}

long long StatusKb(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string k;
  while (status >> k) {
    if (k == key) {
      long long kb = 0;
      status >> kb;
      return kb;
    }
    status.ignore(1 << 12, '\n');
  }
  return 0;
}

// Lets VmHWM start again from the current resident set.
void ResetPeak() {
  std::ofstream("/proc/self/clear_refs") << "5";
}

struct Result {
  double append = 1e30, paint = 1e30, repaint = 1e30, png = 1e30, png_fast = 1e30, total = 1e30;
  double peak_bytes = 0;
};

// One set, all runs: append the items to a new chart, paint it into a bitmap, pan and paint
// again, write the PNG file.
Result RunSet(const DataSet& s, const std::string& dir, int runs) {
  std::vector<double> xy(static_cast<std::size_t>(2 * s.n));
  {
    std::ifstream f(dir + "/" + s.file, std::ios::binary);
    f.read(reinterpret_cast<char*>(xy.data()),
           static_cast<std::streamsize>(xy.size() * sizeof(double)));
  }
  std::vector<double> x(static_cast<std::size_t>(s.n)), y(static_cast<std::size_t>(s.n));
  for (std::size_t i = 0; i < x.size(); ++i) {
    x[i] = xy[2 * i];
    y[i] = xy[2 * i + 1];
  }
  const std::string png = dir + "/kiv_" + s.file.substr(0, s.file.size() - 4) + ".png";
  const long long rss_before = StatusKb("VmRSS:");
  ResetPeak();
  Result r;
  kiv::TBitmap bmp;
  for (int run = 0; run < runs; ++run) {
    auto t0 = Clock::now();
    kiv::TCustomRChart chart(nullptr);
    chart.SetBounds(0, 0, 800, 600);
    chart.SetRange(1, s.xlo, s.ylo, s.xhi, s.yhi);
    chart.SetDataColor(kiv::clBlue);
    // Whole arrays, as an application holding its data in arrays appends them.
    if (s.kind == "line")
      chart.Polyline(x, y);
    else if (s.kind == "scatter")
      chart.Marks(x, y, 2);
    const double append = Since(t0);
    t0 = Clock::now();
    chart.CopyToBitmap(bmp, false);
    const double paint = Since(t0);
    // A pan by a tenth of the width, alternately right and left.
    const double shift = (run % 2 == 0 ? 0.1 : -0.1) * (s.xhi - s.xlo);
    t0 = Clock::now();
    chart.ForceRange(1, s.xlo + shift, s.ylo, s.xhi + shift, s.yhi);
    chart.CopyToBitmap(bmp, false);
    const double repaint = Since(t0);
    chart.ForceRange(1, s.xlo, s.ylo, s.xhi, s.yhi);
    chart.CopyToBitmap(bmp, false);
    t0 = Clock::now();
    bmp.SaveToFile(png);
    const double encode = Since(t0);
    bmp.SetPngCompressionLevel(kiv::TBitmap::kPngSpeed);
    t0 = Clock::now();
    bmp.SaveToFile(png);
    const double encode_fast = Since(t0);
    bmp.SetPngCompressionLevel(kiv::TBitmap::kDefaultPngLevel);
    r.append = std::min(r.append, append);
    r.paint = std::min(r.paint, paint);
    r.repaint = std::min(r.repaint, repaint);
    r.png = std::min(r.png, encode);
    r.png_fast = std::min(r.png_fast, encode_fast);
    r.total = std::min(r.total, append + paint + encode);
    // The peak of one whole job: later runs would add what the allocator keeps from earlier
    // ones.
    if (run == 0) r.peak_bytes = static_cast<double>(StatusKb("VmHWM:") - rss_before) * 1024.0;
  }
  return r;
}

// Runs f in a child process and hands back what it returns.
template <typename F>
Result InChild(F&& f) {
  int fd[2];
  if (pipe(fd) != 0) return Result{};
  std::fflush(stdout);
  const pid_t pid = fork();
  if (pid == 0) {
    close(fd[0]);
    const Result r = f();
    const ssize_t w = write(fd[1], &r, sizeof r);
    _exit(w == static_cast<ssize_t>(sizeof r) ? 0 : 1);
  }
  close(fd[1]);
  Result r;
  const ssize_t got = pid > 0 ? read(fd[0], &r, sizeof r) : 0;
  close(fd[0]);
  if (pid > 0) waitpid(pid, nullptr, 0);
  if (got != static_cast<ssize_t>(sizeof r)) r = Result{};
  return r;
}

std::map<std::string, std::map<std::string, double>> ReadPeers(const std::string& dir) {
  std::map<std::string, std::map<std::string, double>> peers;
  std::ifstream in(dir + "/peers.tsv");
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream l(line);
    std::string task, peer, secs;
    if (!std::getline(l, task, '\t') || !std::getline(l, peer, '\t') || !std::getline(l, secs))
      continue;
    try {
      peers[task][peer] = std::stod(secs);
    } catch (...) {
    }
  }
  return peers;
}

std::string Ms(double s) {
  if (!(s < 1e29)) return "-";
  char b[32];
  std::snprintf(b, sizeof b, s < 0.1 ? "%.1f" : "%.0f", s * 1e3);
  return b;
}

std::string Ratio(double peer, double kiv) {
  if (!(peer < 1e29) || !(kiv < 1e29) || kiv <= 0) return "-";
  char b[32];
  std::snprintf(b, sizeof b, "%.1fx", peer / kiv);
  return b;
}

int Table(const std::string& dir, const std::string& filter) {
  const std::vector<DataSet> sets = ReadSets(dir);
  if (sets.empty()) {
    std::fprintf(stderr, "no data sets in %s (run 'kiv_chart_bench write %s' first)\n", dir.c_str(),
                 dir.c_str());
    return 1;
  }
  const auto find = [&](const std::string& kind) {
    for (const DataSet& s : sets)
      if (s.kind == kind) return s;
    return sets.front();
  };
  // The cold start: a new process's first picture of the empty chart, fonts found and loaded.
  const DataSet empty = find("empty");
  const Result cold = InChild([&] { return RunSet(empty, dir, 1); });
  // Warm the parent, so that every child starts with the fonts loaded.
  RunSet(empty, dir, 1);

  const auto peers = ReadPeers(dir);
  const auto peer = [&](const std::string& task, const std::string& name) {
    const auto t = peers.find(task);
    if (t == peers.end()) return 1e30;
    const auto p = t->second.find(name);
    return p == t->second.end() ? 1e30 : p->second;
  };
  std::printf(
      "800 x 600 PNG pictures, times in ms, best of several runs each (shared noisy machine).\n"
      "kivchart: append = new chart + items from x and y arrays (Polyline, Marks), paint = full\n"
      "picture into a bitmap (CopyToBitmap), repaint = pan (ForceRange) + paint, png = encode\n"
      "and write the file (level %d, the default; fast = level %d, the speed setting);\n"
      "total = append + paint + png. Peers: the full job from a new figure to the written PNG.\n"
      "x faster = fastest peer / kivchart total (and / repaint). B/item = growth of the peak\n"
      "resident memory over one whole job (chart, items, pictures, PNG) / items.\n\n",
      kiv::TBitmap::kDefaultPngLevel, kiv::TBitmap::kPngSpeed);
  std::printf("%-12s %8s %8s %8s %6s %6s %8s | %10s %8s | %9s %9s | %7s\n", "task", "append",
              "paint", "repaint", "png", "fast", "total", "matplotlib", "gnuplot", "x faster",
              "x repaint", "B/item");
  for (const DataSet& s : sets) {
    if (s.name.find(filter) == std::string::npos) continue;
    const Result r = InChild([&] { return RunSet(s, dir, s.runs); });
    const double mpl = peer(s.name, "matplotlib"), gp = peer(s.name, "gnuplot");
    const double fastest = std::min(mpl, gp);
    char bytes[32] = "-";
    if (s.n > 0 && r.peak_bytes > 0)
      std::snprintf(bytes, sizeof bytes, "%.1f", r.peak_bytes / static_cast<double>(s.n));
    std::printf("%-12s %8s %8s %8s %6s %6s %8s | %10s %8s | %9s %9s | %7s\n", s.name.c_str(),
                Ms(r.append).c_str(), Ms(r.paint).c_str(), Ms(r.repaint).c_str(), Ms(r.png).c_str(),
                Ms(r.png_fast).c_str(), Ms(r.total).c_str(), Ms(mpl).c_str(), Ms(gp).c_str(),
                Ratio(fastest, r.total).c_str(), Ratio(fastest, r.repaint).c_str(), bytes);
    std::fflush(stdout);
  }
  std::printf("\nCold start, empty chart: kivchart first picture in a new process %s ms",
              Ms(cold.total).c_str());
  const double mpl_cold = peer("cold start", "matplotlib");
  const double gp_cold = peer("cold start", "gnuplot");
  if (mpl_cold < 1e29)
    std::printf(", matplotlib import + first figure %s ms", Ms(mpl_cold).c_str());
  if (gp_cold < 1e29) std::printf(", gnuplot process start and exit %s ms", Ms(gp_cold).c_str());
  std::printf(".\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (argc < 3 || (mode != "write" && mode != "table")) {
    std::fprintf(stderr, "usage: %s write DIR | table DIR [TASK]\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[2];
  if (mode == "write") return Write(dir);
  return Table(dir, argc > 3 ? argv[3] : "");
}
