// Fetching a whole table through TZQuery.Open: "select * from detail_kk", several rounds;
// prints the median time and the row count.
//
//   bench_fetch DATABASE [ROUNDS [STATEMENT]]
#include <cstdlib>
#include <vector>

#include "bench/win/BenchDb.h"
#include "bench/win/BenchSupport.h"
#include "data/ZQuery.h"
#include "rtl/SysUtils.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_fetch DATABASE [ROUNDS]\n");
    return 2;
  }
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
  try {
    auto conn = bench::Connect(argv[1]);
    data::TZQuery q(nullptr);
    q.SetConnection(conn.get());
    q.SQL.Add(argc > 3 ? argv[3] : "select * from detail_kk");
    std::vector<double> times;
    int rows = 0;
    for (int r = 0; r < rounds; ++r) {
      q.Close();
      const double t0 = bench::NowMs();
      q.Open();
      times.push_back(bench::NowMs() - t0);
      rows = q.RecordCount();
    }
    bench::Report("fetch_rows", rows);
    bench::Report("fetch_ms", bench::Median(times));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench_fetch: %s\n", e.what());
    return 1;
  }
  return 0;
}
