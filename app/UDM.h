// The data module: the one database connection and every shared query object and data
// source of the program. Windows drive these objects; the module has no code of its own
// beyond keeping each workstation's document lines apart.
#pragma once
#include <string>
#include <vector>

#include "data/DataLink.h"
#include "data/ZConnection.h"
#include "data/ZQuery.h"

namespace app {

using data::TDataSource;
using data::TZConnection;
using data::TZQuery;

// The fixed deployment values the login window writes into the connection. Tests point
// them elsewhere (an unreachable port) before the login window is activated.
struct TConnectionSettings {
  std::string HostName = "127.0.0.1";
  int Port = 3306;
  std::string User = "korvan";
  std::string Password = "417vardon417";
  std::string Database = "korvan";
  std::string Protocol = "mysql-5";
};
TConnectionSettings& ConnectionSettings();

// The tables that hold the lines of a document being edited. Each connection hides
// them behind temporary tables of its own, so that two running copies of the program
// never see or truncate each other's lines.
const std::vector<std::string>& WorkTables();
// The start of the error that refuses a connection whose work tables cannot be hidden;
// the server's reason follows.
inline constexpr const char* kWorkTablesFailed = "The work tables of this workstation cannot be prepared: ";

class TDM : public rtl::TComponent {
  KORVAN_CLASS(TDM)
 public:
  explicit TDM(rtl::TComponent* owner);

  TZConnection* ZConnection1;
  TZQuery* Q1;
  TZQuery* Q2;
  TZQuery* Q3;
  TDataSource* DS_Q3;
  TZQuery* Q4;
  TDataSource* DS_Q4;
  TZQuery* Q5;
  TDataSource* DS_Q5;
  TZQuery* Q6;
  TZQuery* QTimer;
  TZQuery* QTimer2;
  TZQuery* Q7;
  TZQuery* Q8;
  TDataSource* DS_Q8;
  TZQuery* QTemp;
  TDataSource* DS_QTemp;
  TZQuery* QTimer3;
  TZQuery* QTemp2;
  TDataSource* DS_QTemp2;
  TZQuery* QTemp3;
  TDataSource* DS_QTemp3;
  TZQuery* QTemp4;
  TDataSource* DS_QTemp4;
  TZQuery* QTimer5;
  TZQuery* QTimer6;
  TZQuery* QTimer7;
  TZQuery* QTimer8;
  TZQuery* QUser;
  TDataSource* DS_QUser;
  TZQuery* QRepIM;
  TDataSource* DS_QRepIM;
  TZQuery* QRepIG;
  TDataSource* DS_QRepIG;
  TZQuery* QReport;
  TDataSource* DS_QReport;
  TZQuery* QAkses;
  TZQuery* QMPAGTemp;
  TDataSource* DS_QMPAGTemp;
  TZQuery* QRepIS;
  TDataSource* DS_QRepIS;
  TZQuery* QRepIP;
  TDataSource* DS_QRepIP;
  TZQuery* QRandomMajelis;
  TDataSource* DS_QRandomMajelis;
  TZQuery* QVote;
  TDataSource* DS_QVote;
  TZQuery* QCheck;
  TZQuery* QDelete;
  TZQuery* QRepIY;
  TDataSource* DS_QRepIY;
  TZQuery* Q9;

 private:
  TZQuery* NewQuery(const char* name);
  TDataSource* NewSource(const char* name, TZQuery* query);
};

extern TDM* DM;

}  // namespace app
