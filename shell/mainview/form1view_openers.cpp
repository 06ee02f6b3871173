// The openers of the test types: each takes the record it works on and runs
// the entry of its test.
#include <QString>

#include "controls/exlistctrl.h"
#include "evaluation/alkali/alkalidlg.h"
#include "evaluation/bruchflaechigkeit/bruchflaechigkeitdlg.h"
#include "evaluation/fliesskoeffizient/fliesskoefizientdlg.h"
#include "evaluation/frame/testentryframe.h"
#include "evaluation/grunddaten/grunddatendlg.h"
#include "evaluation/kornform/kornformgleisschotterdlg.h"
#include "evaluation/kornform/kornformsdmdlg.h"
#include "evaluation/kristallisation/kristallisationdlg.h"
#include "evaluation/laenger100/laenger100dlg.h"
#include "evaluation/organisch/organursprungsdmdlg.h"
#include "evaluation/petrographie/petrographiedlg.h"
#include "evaluation/plattigkeit/plattigkeitdlg.h"
#include "evaluation/plattigkeit/plattigkeitgleisschotterdlg.h"
#include "evaluation/rczusammensetzung/zusammrecycdlg.h"
#include "evaluation/reinheit/reinheitgsdlg.h"
#include "evaluation/rohdichte/rohdichtedlg.h"
#include "evaluation/sandeq/dlgsandeq.h"
#include "evaluation/umwelt/umweltvertraeglichkeitdlg.h"
#include "evaluation/wasseraufnahme/wasseraufnahmedlg.h"
#include "evaluation/wassergehalt/wassergehaltdlg.h"
#include "evaluation/wasserbausteine/wbsopener.h"
#include "i18n/translation.h"
#include "platform/messagebox.h"
#include "platform/textfile.h"
#include "services/pravikapp.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/recordlistmodel.h"

void CForm1View::NoteOpener(std::string_view name) {
  if (openerObserver_) openerObserver_(name);
}

CVersuch* CForm1View::OpenerRecord(std::string_view name) {
  NoteOpener(name);
  return GetCurrentRecord();
}

void CForm1View::EditGrunddaten() {
  NoteOpener("EditGrunddaten");
  OpenTestEntry(*this, "VA_GRUND", EditBasicData);
}

void CForm1View::EditBruchflaechigkeit() {
  NoteOpener("EditBruchflaechigkeit");
  OpenTestEntry(*this, "VA_BRUCH", EditCrushedSurfaces);
}

void CForm1View::EditKornform() {
  NoteOpener("EditKornform");
  OpenTestEntry(*this, "VA_KORNF", EditShapeIndex);
}

void CForm1View::EditPlattigkeit() {
  NoteOpener("EditPlattigkeit");
  OpenTestEntry(*this, "VA_PLATT", EditFlakiness);
}

void CForm1View::EditOrganischeStoffe() {
  NoteOpener("EditOrganischeStoffe");
  OpenTestEntry(*this, "VA_ORGAN", EditOrganicMatter);
}

void CForm1View::EditPetrographie() {
  NoteOpener("EditPetrographie");
  OpenTestEntry(*this, "VA_PETRO", EditPetrography);
}

void CForm1View::EditRCZusammensetzung() {
  const CVersuch* record = OpenerRecord("EditRCZusammensetzung");
  if (!record) return;
  if (record->IsKorngemisch()) {
    EditRCZusammensetzungDBKG();
    return;
  }
  OpenTestEntry(*this, "VA_RCZUS", EditRecycledComposition);
}

void CForm1View::EditRCZusammensetzungDBKG() {
  NoteOpener("EditRCZusammensetzungDBKG");
  OpenTestEntry(*this, "VA_RCZUS", EditRecycledCompositionMixture);
}

void CForm1View::EditWassergehalt() {
  NoteOpener("EditWassergehalt");
  OpenTestEntry(*this, "VA_WASSERG", EditWaterContent);
}

void CForm1View::EditSandaequivalent() {
  NoteOpener("EditSandaequivalent");
  OpenTestEntry(*this, "VA_SANDEQ", EditSandEquivalent);
}

void CForm1View::EditFliesskoeffizient() {
  NoteOpener("EditFliesskoeffizient");
  OpenTestEntry(*this, "VA_FLIESSK", EditFlowCoefficient);
}

void CForm1View::EditAlkali() {
  NoteOpener("EditAlkali");
  OpenTestEntry(*this, "VA_ALKALI", EditAlkaliConstituents);
}

void CForm1View::EditRohdichte() {
  NoteOpener("EditRohdichte");
  OpenTestEntry(*this, "VA_ROHDI", EditParticleDensity);
}

void CForm1View::EditWasserbausteine() {
  NoteOpener("EditWasserbausteine");
  OpenTestEntry(*this, "VA_WBS", TestEntryEditWithApply(EditArmourstone));
}

void CForm1View::EditLaenger100() {
  NoteOpener("EditLaenger100");
  OpenTestEntry(*this, "VA_100MM", EditGrains100);
}

void CForm1View::EditLaenger100GS() {
  NoteOpener("EditLaenger100GS");
  OpenTestEntry(*this, "VA_GS_LAENGER100", EditBallastGrains100);
}

void CForm1View::EditKornformGS() {
  NoteOpener("EditKornformGS");
  OpenTestEntry(*this, "VA_GS_KORNFORM", EditGrainShape);
}

void CForm1View::EditPlattigkeitGS() {
  NoteOpener("EditPlattigkeitGS");
  OpenTestEntry(*this, "VA_GS_PLATTIGKEIT", EditBallastFlakiness);
}

void CForm1View::EditWasseraufnahme() {
  NoteOpener("EditWasseraufnahme");
  OpenTestEntry(*this, "VA_GS_WASSER", EditWaterAbsorption);
}

void CForm1View::EditKristallisation() {
  NoteOpener("EditKristallisation");
  OpenTestEntry(*this, "VA_GS_KRISTALL", EditCrystallisation);
}

void CForm1View::EditReinheitGS() {
  NoteOpener("EditReinheitGS");
  OpenTestEntry(*this, "VA_GS_REINHEIT", EditBallastPurity);
}

void CForm1View::EditUmweltvertraeglichkeit() {
  NoteOpener("EditUmweltvertraeglichkeit");
  OpenTestEntry(*this, "VA_GS_UMWELT", EditEnvironment);
}
