#pragma once
// CGrunddatenGSDlg: the basic data of a track-ballast record (template
// 525): instead of the sampling point and the information fields the
// sampling protocol: protocol number and year, where and how the sample was
// taken (four choice groups that may stay unchosen), weather, blast-pile
// number, whether it was taken in the track, and the print variant of the
// defect statement.
#include <array>

#include "evaluation/grunddaten/grundbase.h"

class QButtonGroup;

class CGrunddatenGSDlg : public CGrundBase {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 525;
  enum : int {
    kTestedByGS = 1223,
    kSampledByGS = 1224,
    kTestDateGS = 316,
    kSamplingDateGS = 317,
    kSamplingTimeGS = 318,
    kTestTimeGS = 319,
    kProtocolNumber = 1219,
    kYear = 1220,
    kWeather = 1217,
    kBlastPile = 1218,
    kOtherPlace = 1211,
    kOtherLoading = 1215,
    kOtherSource = 1216,
    kPrintVariant = 1179,
    kInTrack = 1531,
    kFreightLabel = 1823,  // "verladung" below "an der Bahn-"
  };
  // The radio buttons of the four groups, in choice order.
  static const std::array<std::vector<int>, kBallastChoiceGroups>& ChoiceIds();

  explicit CGrunddatenGSDlg(QWidget* parent = nullptr);
  ~CGrunddatenGSDlg() override;

  const BallastData& Data() const { return data_; }

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(bool save) override;
  std::string StoreValues(CVersuch& record) override;
  void ApplyTakeover(const TakeoverFile& file) override;

 private:
  int CheckedChoice(int group) const;
  void CheckChoice(int group, int index);

  BallastData data_;
  std::array<QButtonGroup*, kBallastChoiceGroups> groups_{};
};
