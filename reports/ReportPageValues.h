#pragma once
// What the pages show, put into the prepared profile for the style
// sheets: the rows of the General Settings, Audio Settings and Buttons
// pages that the model's pages show (the visibility document and the
// model's flags decide), each with the page's caption and the value as the
// page reads it; every button with the feature the page selects; the
// versions as the Radio Information page writes them; and per channel the
// texts of the channel page (codes, scramble code, frequencies on empty
// slots).
//
// The values are added as one element "report" under the profile's root:
//   <report scramble="0|1">
//     <version firmware="R02.01" codeplug="R18.00"/>
//     <page name="Settings|AudioSettings|Buttons" title="..."><row name=".." value=".."/>...</page>
//     <button attribute="side1_but" name="Side Button 1 (SB1)" feature="Monitor" handout="Monitor (default)"/>...
//   </report>
// and channel attributes "rx_code"/"tx_code" (display texts),
// "report_scramble", "report_rx_freq"/"report_tx_freq" (empty for a slot
// the channel page cannot show).

#include <libxml/tree.h>

#include <QString>

namespace tavo {

// Adds the page values to `doc` (a prepared profile). Raises
// CTavoCPSException 315 when the setting documents cannot be loaded.
void AddPageValues(xmlDoc *doc, const QString &decimalSeparator);

} // namespace tavo
