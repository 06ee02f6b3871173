#include "evaluation/kornform/kornform_gs.h"

#include "i18n/translation.h"
#include "records/materialanforderung.h"
#include "records/requirement.h"
#include "records/strutil.h"

std::string GrainShapeRequirementText(const std::string& code) {
  const std::string shown = FormatRequirement(code, 1);
  return shown.empty() ? "--" : shown;
}

MixtureShapeResult ComputeMixtureShape(const std::string& bad, const std::string& good,
                                       const std::string& requirement) {
  MixtureShapeResult r;
  r.shares = ComputeBadGoodShares(bad, good);
  r.requirement = TrimWhite(requirement);
  StrReplace(r.requirement, "_D", "_R");
  r.requirementText = GrainShapeRequirementText(r.requirement);
  r.requirementState = JudgeRequirement(r.requirement, r.shares.shareBad);
  r.status = StatusOfJudgement(!r.shares.shareBad.empty(), r.requirementState);
  return r;
}

std::string MixtureShapeResult::ResultText() const {
  return "0|" + shares.shareBad + "|" + requirement + "|" + requirementText + "||||||||" + shares.bad + "|" +
         shares.good;
}

std::string MixtureShapeRequirement(const CVersuch& record) {
  CMaterialAnforderung requirements;
  requirements.SetStrings(record.GetField(5), record.GetField(25));
  std::string code;
  return requirements.GetSideTestRequirement(20, code) ? code : "";
}

TestEntryResult MixtureShapeEntryResult(const MixtureShapeResult& result) {
  TestEntryResult out;
  out.status = result.status;
  out.resultText = result.ResultText();
  out.parts.push_back({4, 2,
                       JudgedReportRow(TranslateString(5204, "Kornform:"), result.shares.shareBad,
                                       result.requirementText, result.status)});
  return out;
}
