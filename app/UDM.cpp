#include "app/UDM.h"

#include "data/WorkTables.h"

namespace app {

TDM* DM = nullptr;

TConnectionSettings& ConnectionSettings() {
  static TConnectionSettings s;
  return s;
}

const std::vector<std::string>& WorkTables() {
  static const std::vector<std::string> tables = {
      "majelis_group_temp",
      "majelis_group_temp2",
      "attestasi_detail_temp",
      "ibadah_minggu_detail_temp",
      "ibadah_hariraya_gerejawi_detail_temp",
      "ibadah_pelkat_detail_temp",
      "mpag_detail_temp",
      "pinjam_barang_detail_temp",
  };
  return tables;
}

TZQuery* TDM::NewQuery(const char* name) {
  auto* q = new TZQuery(this);
  q->SetName(name);
  q->SetConnection(ZConnection1);
  return q;
}

TDataSource* TDM::NewSource(const char* name, TZQuery* query) {
  auto* s = new TDataSource(this);
  s->SetName(name);
  s->SetDataSet(query);
  return s;
}

TDM::TDM(rtl::TComponent* owner) : rtl::TComponent(owner) {
  SetName("DM");
  ZConnection1 = new TZConnection(this);
  ZConnection1->SetName("ZConnection1");
  // Without its own work tables a workstation would edit the shared lines of every
  // other one: such a connection is refused, with the reason.
  ZConnection1->AfterConnect = [this](rtl::TObject*) {
    try {
      data::ShadowWorkTables(*ZConnection1, WorkTables());
    } catch (const rtl::Exception& e) {
      throw data::EDatabaseError(kWorkTablesFailed + e.Message());
    }
  };
  // Declaration order of the module; windows and layouts rely only on the names.
  Q1 = NewQuery("Q1");
  Q2 = NewQuery("Q2");
  Q3 = NewQuery("Q3");
  DS_Q3 = NewSource("DS_Q3", Q3);
  Q4 = NewQuery("Q4");
  DS_Q4 = NewSource("DS_Q4", Q4);
  Q5 = NewQuery("Q5");
  DS_Q5 = NewSource("DS_Q5", Q5);
  Q6 = NewQuery("Q6");
  QTimer = NewQuery("QTimer");
  QTimer2 = NewQuery("QTimer2");
  Q7 = NewQuery("Q7");
  Q8 = NewQuery("Q8");
  DS_Q8 = NewSource("DS_Q8", Q8);
  QTemp = NewQuery("QTemp");
  DS_QTemp = NewSource("DS_QTemp", QTemp);
  QTimer3 = NewQuery("QTimer3");
  QTemp2 = NewQuery("QTemp2");
  DS_QTemp2 = NewSource("DS_QTemp2", QTemp2);
  QTemp3 = NewQuery("QTemp3");
  DS_QTemp3 = NewSource("DS_QTemp3", QTemp3);
  QTemp4 = NewQuery("QTemp4");
  DS_QTemp4 = NewSource("DS_QTemp4", QTemp4);
  QTimer5 = NewQuery("QTimer5");
  QTimer6 = NewQuery("QTimer6");
  QTimer7 = NewQuery("QTimer7");
  QTimer8 = NewQuery("QTimer8");
  QUser = NewQuery("QUser");
  DS_QUser = NewSource("DS_QUser", QUser);
  QRepIM = NewQuery("QRepIM");
  DS_QRepIM = NewSource("DS_QRepIM", QRepIM);
  QRepIG = NewQuery("QRepIG");
  DS_QRepIG = NewSource("DS_QRepIG", QRepIG);
  QReport = NewQuery("QReport");
  DS_QReport = NewSource("DS_QReport", QReport);
  QAkses = NewQuery("QAkses");
  QMPAGTemp = NewQuery("QMPAGTemp");
  DS_QMPAGTemp = NewSource("DS_QMPAGTemp", QMPAGTemp);
  QRepIS = NewQuery("QRepIS");
  DS_QRepIS = NewSource("DS_QRepIS", QRepIS);
  QRepIP = NewQuery("QRepIP");
  DS_QRepIP = NewSource("DS_QRepIP", QRepIP);
  QRandomMajelis = NewQuery("QRandomMajelis");
  DS_QRandomMajelis = NewSource("DS_QRandomMajelis", QRandomMajelis);
  QVote = NewQuery("QVote");
  DS_QVote = NewSource("DS_QVote", QVote);
  QCheck = NewQuery("QCheck");
  QDelete = NewQuery("QDelete");
  QRepIY = NewQuery("QRepIY");
  DS_QRepIY = NewSource("DS_QRepIY", QRepIY);
  Q9 = NewQuery("Q9");
}

}  // namespace app
