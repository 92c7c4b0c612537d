<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
<context>
    <name></name>
    <message id="IDS_130">
        <source>Fatal registry Error, the application will be closed!</source>
        <translation>Schwerwiegender Fehler in den Einstellungen, das Programm wird beendet!</translation>
    </message>
    <message id="IDS_131">
        <source>Unknown Error</source>
        <translation>Unbekannter Fehler</translation>
    </message>
    <message id="IDS_132">
        <source>Programming error: 107.</source>
        <translation>Programmfehler: 107.</translation>
    </message>
    <message id="IDS_133">
        <source>Programming error: 108.</source>
        <translation>Programmfehler: 108.</translation>
    </message>
    <message id="IDS_134">
        <source>Fatal error: 102.
Please uninstall and re-install CPS.</source>
        <translation>Schwerwiegender Fehler: 102.
Bitte deinstallieren Sie die CPS und installieren Sie sie neu.</translation>
    </message>
    <message id="IDS_135">
        <source>Invalid profile.</source>
        <translation>Ungültiges Profil.</translation>
    </message>
    <message id="IDS_136">
        <source>Failed to load profile.</source>
        <translation>Das Profil konnte nicht geladen werden.</translation>
    </message>
    <message id="IDS_137">
        <source>Fatal error: 101.</source>
        <translation>Schwerwiegender Fehler: 101.</translation>
    </message>
    <message id="IDS_140">
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message id="IDS_141">
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message id="IDS_142">
        <source>Error: Set control color.</source>
        <translation>Fehler: Steuerelementfarbe setzen.</translation>
    </message>
    <message id="IDS_143">
        <source>Error: Set background color.</source>
        <translation>Fehler: Hintergrundfarbe setzen.</translation>
    </message>
    <message id="IDS_144">
        <source>Error: Set view size.</source>
        <translation>Fehler: Ansichtsgröße setzen.</translation>
    </message>
    <message id="IDS_145">
        <source>Error: Convert coordinate.</source>
        <translation>Fehler: Koordinaten umrechnen.</translation>
    </message>
    <message id="IDS_146">
        <source>Error: Can not find help file information in registry!</source>
        <translation>Fehler: Keine Angaben zur Hilfedatei in den Einstellungen gefunden!</translation>
    </message>
    <message id="IDS_147">
        <source>Error: Help File format is invalid!</source>
        <translation>Fehler: Das Format der Hilfedatei ist ungültig!</translation>
    </message>
    <message id="IDS_148">
        <source>Error: Can not find the help file!</source>
        <translation>Fehler: Die Hilfedatei wurde nicht gefunden!</translation>
    </message>
    <message id="IDS_149">
        <source>OLE initialization failed. Make sure that the OLE libraries are the correct version.</source>
        <translation>Die OLE-Initialisierung ist fehlgeschlagen. Stellen Sie sicher, dass die OLE-Bibliotheken die richtige Version haben.</translation>
    </message>
    <message id="IDS_150">
        <source>Button Reset</source>
        <translation>Tasten zurücksetzen</translation>
    </message>
    <message id="IDS_151">
        <source>Radio Information</source>
        <translation>Funkgerätinformationen</translation>
    </message>
    <message id="IDS_152">
        <source>Regional Code</source>
        <translation>Regionalcode</translation>
    </message>
    <message id="IDS_153">
        <source>Serial Number</source>
        <translation>Seriennummer</translation>
    </message>
    <message id="IDS_154">
        <source>Firmware Version</source>
        <translation>Firmware-Version</translation>
    </message>
    <message id="IDS_155">
        <source>Codeplug Version</source>
        <translation>Codeplug-Version</translation>
    </message>
    <message id="IDS_156">
        <source>Frequency Range (MHz)</source>
        <translation>Frequenzbereich (MHz)</translation>
    </message>
    <message id="IDS_157">
        <source>Maximum Channel</source>
        <translation>Maximale Kanalzahl</translation>
    </message>
    <message id="IDS_158">
        <source>Buttons</source>
        <translation>Tasten</translation>
    </message>
    <message id="IDS_159">
        <source>Feature</source>
        <translation>Funktion</translation>
    </message>
    <message id="IDS_160">
        <source>Side Button 1 (SB1)</source>
        <translation>Seitentaste 1 (SB1)</translation>
    </message>
    <message id="IDS_161">
        <source>Side Button 2 (SB2)</source>
        <translation>Seitentaste 2 (SB2)</translation>
    </message>
    <message id="IDS_162">
        <source>Button A</source>
        <translation>Taste A</translation>
    </message>
    <message id="IDS_163">
        <source>Button B</source>
        <translation>Taste B</translation>
    </message>
    <message id="IDS_164">
        <source>Button C</source>
        <translation>Taste C</translation>
    </message>
    <message id="IDS_165">
        <source>Preset 1 Channel</source>
        <translation>Kanal für Direktwahl 1</translation>
    </message>
    <message id="IDS_166">
        <source>Preset 2 Channel</source>
        <translation>Kanal für Direktwahl 2</translation>
    </message>
    <message id="IDS_167">
        <source>General Settings</source>
        <translation>Allgemeine Einstellungen</translation>
    </message>
    <message id="IDS_168">
        <source>Buttons</source>
        <translation>Tasten</translation>
    </message>
    <message id="IDS_169">
        <source>Channels</source>
        <translation>Kanäle</translation>
    </message>
    <message id="IDS_171">
        <source>Scan List</source>
        <translation>Scanliste</translation>
    </message>
    <message id="IDS_172">
        <source>Audio Settings</source>
        <translation>Audioeinstellungen</translation>
    </message>
    <message id="IDS_173">
        <source>Microphone Gain</source>
        <translation>Mikrofonverstärkung</translation>
    </message>
    <message id="IDS_174">
        <source>Accessory Microphone Gain</source>
        <translation>Verstärkung Zubehörmikrofon</translation>
    </message>
    <message id="IDS_175">
        <source>VOX Level</source>
        <translation>VOX-Pegel</translation>
    </message>
    <message id="IDS_176">
        <source>iVOX Level</source>
        <translation>iVOX-Pegel</translation>
    </message>
    <message id="IDS_177">
        <source>Roger Beep Tone</source>
        <translation>Roger-Piep</translation>
    </message>
    <message id="IDS_178">
        <source>Keypad Beep</source>
        <translation>Tastenton</translation>
    </message>
    <message id="IDS_180">
        <source>Recent File</source>
        <translation>Zuletzt geöffnete Datei</translation>
    </message>
    <message id="IDS_181">
        <source>Low</source>
        <translation>Niedrig</translation>
    </message>
    <message id="IDS_182">
        <source>Medium</source>
        <translation>Mittel</translation>
    </message>
    <message id="IDS_183">
        <source>High</source>
        <translation>Hoch</translation>
    </message>
    <message id="IDS_184">
        <source>Scan List</source>
        <translation>Scanliste</translation>
    </message>
    <message id="IDS_185">
        <source>&amp;Add&gt;&gt;</source>
        <translation>&amp;Hinzufügen &gt;&gt;</translation>
    </message>
    <message id="IDS_186">
        <source>&lt;&lt;Re&amp;move</source>
        <translation>&lt;&lt; &amp;Entfernen</translation>
    </message>
    <message id="IDS_187">
        <source>Available Channels</source>
        <translation>Verfügbare Kanäle</translation>
    </message>
    <message id="IDS_188">
        <source>Scan List Members</source>
        <translation>Kanäle der Scanliste</translation>
    </message>
    <message id="IDS_189">
        <source>12.5</source>
        <translation>12.5</translation>
    </message>
    <message id="IDS_190">
        <source>25</source>
        <translation>25</translation>
    </message>
    <message id="IDS_191">
        <source>Low</source>
        <translation>Niedrig</translation>
    </message>
    <message id="IDS_192">
        <source>High</source>
        <translation>Hoch</translation>
    </message>
    <message id="IDS_193">
        <source>OFF</source>
        <translation>AUS</translation>
    </message>
    <message id="IDS_194">
        <source>Scramble Code 1</source>
        <translation>Scrambler-Code 1</translation>
    </message>
    <message id="IDS_195">
        <source>Scramble Code 2</source>
        <translation>Scrambler-Code 2</translation>
    </message>
    <message id="IDS_196">
        <source>Scramble Code 3</source>
        <translation>Scrambler-Code 3</translation>
    </message>
    <message id="IDS_197">
        <source>Channels</source>
        <translation>Kanäle</translation>
    </message>
    <message id="IDS_198">
        <source>General Settings</source>
        <translation>Allgemeine Einstellungen</translation>
    </message>
    <message id="IDS_199">
        <source>Codeplug Password (4-digit number)</source>
        <translation>Codeplug-Passwort (4 Ziffern)</translation>
    </message>
    <message id="IDS_200">
        <source>Confirm Password (4-digit number)</source>
        <translation>Passwort bestätigen (4 Ziffern)</translation>
    </message>
    <message id="IDS_201">
        <source>Power Up Text</source>
        <translation>Einschalttext</translation>
    </message>
    <message id="IDS_202">
        <source>Disable All LEDs</source>
        <translation>Alle LEDs ausschalten</translation>
    </message>
    <message id="IDS_203">
        <source>Keypad Lock</source>
        <translation>Tastensperre</translation>
    </message>
    <message id="IDS_204">
        <source>Disable Restore Factory Default</source>
        <translation>Zurücksetzen auf Werkseinstellungen sperren</translation>
    </message>
    <message id="IDS_205">
        <source>Back Light (Sec.)</source>
        <translation>Hintergrundbeleuchtung (s)</translation>
    </message>
    <message id="IDS_206">
        <source>Transmit Timeout Timer (Sec.)</source>
        <translation>Sendezeitbegrenzung (s)</translation>
    </message>
    <message id="IDS_207">
        <source>Call Tone</source>
        <translation>Rufton</translation>
    </message>
    <message id="IDS_208">
        <source>CT Reverse Burst</source>
        <translation>CT-Reverse-Burst</translation>
    </message>
    <message id="IDS_209">
        <source>Alternate Battery Selection</source>
        <translation>Alternative Batterieauswahl</translation>
    </message>
    <message id="IDS_210">
        <source>Alternate Battery Selection</source>
        <translation>Alternative Batterieauswahl</translation>
    </message>
    <message id="IDS_211">
        <source>Disable Battery Save</source>
        <translation>Batteriesparmodus ausschalten</translation>
    </message>
    <message id="IDS_212">
        <source>Please enter 4 numeric characters.</source>
        <translation>Bitte geben Sie 4 Ziffern ein.</translation>
    </message>
    <message id="IDS_213">
        <source>Do you want to reset all buttons with their defaults?</source>
        <translation>Möchten Sie alle Tasten auf ihre Standardbelegung zurücksetzen?</translation>
    </message>
    <message id="IDS_214">
        <source>OFF</source>
        <translation>AUS</translation>
    </message>
    <message id="IDS_215">
        <source>5</source>
        <translation>5</translation>
    </message>
    <message id="IDS_216">
        <source>10</source>
        <translation>10</translation>
    </message>
    <message id="IDS_217">
        <source>60</source>
        <translation>60</translation>
    </message>
    <message id="IDS_218">
        <source>120</source>
        <translation>120</translation>
    </message>
    <message id="IDS_219">
        <source>180</source>
        <translation>180</translation>
    </message>
    <message id="IDS_220">
        <source>OFF</source>
        <translation>AUS</translation>
    </message>
    <message id="IDS_221">
        <source>Call Tone</source>
        <translation>Rufton</translation>
    </message>
    <message id="IDS_222">
        <source>The name contains characters that are not allowed. Please specify a different name.</source>
        <translation>Der Name enthält unzulässige Zeichen. Bitte geben Sie einen anderen Namen an.</translation>
    </message>
    <message id="IDS_223">
        <source>Profile Loading Error.&#13;
File: %s&#13;
Desc: %s&#13;
Line: %d, Pos: %d&#13;
SRC: %s</source>
        <translation>Fehler beim Laden des Profils.&#13;
Datei: %s&#13;
Beschreibung: %s&#13;
Zeile: %d, Position: %d&#13;
Quelle: %s</translation>
    </message>
    <message id="IDS_224">
        <source>180</source>
        <translation>180</translation>
    </message>
    <message id="IDS_225">
        <source>240</source>
        <translation>240</translation>
    </message>
    <message id="IDS_226">
        <source>Alkaline</source>
        <translation>Alkali</translation>
    </message>
    <message id="IDS_227">
        <source>Nickel/LiIon</source>
        <translation>Nickel/Li-Ion</translation>
    </message>
    <message id="IDS_228">
        <source>The passwords you entered do not match.</source>
        <translation>Die eingegebenen Passwörter stimmen nicht überein.</translation>
    </message>
    <message id="IDS_229">
        <source>Channels</source>
        <translation>Kanäle</translation>
    </message>
    <message id="IDS_230">
        <source>Add Channel</source>
        <translation>Kanal hinzufügen</translation>
    </message>
    <message id="IDS_232">
        <source>Receive</source>
        <translation>Empfangen</translation>
    </message>
    <message id="IDS_233">
        <source>Frequency (MHz)</source>
        <translation>Frequenz (MHz)</translation>
    </message>
    <message id="IDS_234">
        <source>Bandwidth (KHz)</source>
        <translation>Bandbreite (kHz)</translation>
    </message>
    <message id="IDS_235">
        <source>CT/DCS Code</source>
        <translation>CT/DCS-Code</translation>
    </message>
    <message id="IDS_236">
        <source>Transmit</source>
        <translation>Senden</translation>
    </message>
    <message id="IDS_237">
        <source>Scramble</source>
        <translation>Scrambler</translation>
    </message>
    <message id="IDS_238">
        <source>Repeater</source>
        <translation>Relais</translation>
    </message>
    <message id="IDS_239">
        <source>Auto Scan</source>
        <translation>Automatischer Suchlauf</translation>
    </message>
    <message id="IDS_240">
        <source>Enable Programming Mode</source>
        <translation>Programmiermodus aktivieren</translation>
    </message>
    <message id="IDS_241">
        <source>Repeater Power</source>
        <translation>Relais-Sendeleistung</translation>
    </message>
    <message id="IDS_242">
        <source>RF Frequency</source>
        <translation>HF-Frequenzen</translation>
    </message>
    <message id="IDS_243">
        <source>Frequency (MHz)</source>
        <translation>Frequenz (MHz)</translation>
    </message>
    <message id="IDS_244">
        <source>Bandwidth</source>
        <translation>Bandbreite</translation>
    </message>
    <message id="IDS_245">
        <source>Power Level</source>
        <translation>Sendeleistung</translation>
    </message>
    <message id="IDS_246">
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message id="IDS_247">
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message id="IDS_248">
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message id="IDS_249">
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message id="IDS_250">
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message id="IDS_251">
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message id="IDS_252">
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message id="IDS_253">
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message id="IDS_254">
        <source>Cut</source>
        <translation>Ausschneiden</translation>
    </message>
    <message id="IDS_255">
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message id="IDS_256">
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message id="IDS_257">
        <source>Read</source>
        <translation>Lesen</translation>
    </message>
    <message id="IDS_258">
        <source>Write</source>
        <translation>Schreiben</translation>
    </message>
    <message id="IDS_259">
        <source>Report</source>
        <translation>Bericht</translation>
    </message>
    <message id="IDS_260">
        <source>About</source>
        <translation>Info</translation>
    </message>
    <message id="IDS_261">
        <source>Invalid Value.</source>
        <translation>Ungültiger Wert.</translation>
    </message>
    <message id="IDS_262">
        <source>Error: Radio information view loads data.</source>
        <translation>Fehler: Die Ansicht der Funkgerätinformationen lädt Daten.</translation>
    </message>
    <message id="IDS_263">
        <source>Error: Load dealer information failed.</source>
        <translation>Fehler: Die Händlerinformationen konnten nicht geladen werden.</translation>
    </message>
    <message id="IDS_264">
        <source>Error: There is an error when acquiring language type.</source>
        <translation>Fehler: Beim Ermitteln der Sprache ist ein Fehler aufgetreten.</translation>
    </message>
    <message id="IDS_265">
        <source>Dealer Information</source>
        <translation>Händlerinformationen</translation>
    </message>
    <message id="IDS_266">
        <source>Dealer Information</source>
        <translation>Händlerinformationen</translation>
    </message>
    <message id="IDS_267">
        <source>Contact Information</source>
        <translation>Kontaktdaten</translation>
    </message>
    <message id="IDS_268">
        <source>Notes</source>
        <translation>Notizen</translation>
    </message>
    <message id="IDS_269">
        <source>Invalid frequency: This frequency is not supported by this radio.</source>
        <translation>Ungültige Frequenz: Dieses Funkgerät unterstützt diese Frequenz nicht.</translation>
    </message>
    <message id="IDS_271">
        <source>Do you want to create a new profile (Yes), overwrite the currently selected profile (No) or cancel it?</source>
        <translation>Möchten Sie ein neues Profil anlegen (Ja), das gewählte Profil überschreiben (Nein) oder abbrechen?</translation>
    </message>
    <message id="IDS_272">
        <source>New Profile</source>
        <translation>Neues Profil</translation>
    </message>
    <message id="IDS_273">
        <source>Please choose profile model.</source>
        <translation>Bitte wählen Sie das Modell des Profils.</translation>
    </message>
    <message id="IDS_274">
        <source>%s Customer Programming Software</source>
        <translation>%s Programmiersoftware</translation>
    </message>
    <message id="IDS_275">
        <source>Version %s</source>
        <translation>Version %s</translation>
    </message>
    <message id="IDS_276">
        <source>Copyright (C) 2026. All rights reserved.</source>
        <translation>Copyright (C) 2026. Alle Rechte vorbehalten.</translation>
    </message>
    <message id="IDS_277">
        <source>%s is a trademark of its respective owner.</source>
        <translation>%s ist eine Marke ihres jeweiligen Inhabers.</translation>
    </message>
    <message id="IDS_278">
        <source>Warning: this program is protected by copyright law. Unauthorised copying or distribution of this program, or of any part of it, is prohibited.</source>
        <translation>Warnung: Dieses Programm ist urheberrechtlich geschützt. Unerlaubtes Kopieren oder Verbreiten dieses Programms oder eines Teils davon ist verboten.</translation>
    </message>
    <message id="IDS_279">
        <source>The password is not correct. Please check it!</source>
        <translation>Das Passwort ist nicht korrekt. Bitte überprüfen Sie es!</translation>
    </message>
    <message id="IDS_280">
        <source>The power up text is invalid. It can hold at most 8 characters.</source>
        <translation>Der Einschalttext ist ungültig. Er darf höchstens 8 Zeichen lang sein.</translation>
    </message>
    <message id="IDS_281">
        <source>One feature can not be assigned to multiple buttons.</source>
        <translation>Eine Funktion kann nicht mehreren Tasten zugewiesen werden.</translation>
    </message>
    <message id="IDS_282">
        <source>The channel can not be selected!</source>
        <translation>Der Kanal kann nicht ausgewählt werden!</translation>
    </message>
    <message id="IDS_288">
        <source>Frequency (Frequencies) used by channel can not be deleted.</source>
        <translation>Frequenzen, die von Kanälen verwendet werden, können nicht gelöscht werden.</translation>
    </message>
    <message id="IDS_289">
        <source>User selectable with %s KHz as default</source>
        <translation>Wählbar, Standard %s kHz</translation>
    </message>
    <message id="IDS_290">
        <source>User selectable with %s KHz as default</source>
        <translation>Wählbar, Standard %s kHz</translation>
    </message>
    <message id="IDS_291">
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message id="IDS_292">
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message id="IDS_293">
        <source>Index</source>
        <translation>Index</translation>
    </message>
    <message id="IDS_294">
        <source>User selectable with low power as default</source>
        <translation>Wählbar, Standard niedrige Leistung</translation>
    </message>
    <message id="IDS_295">
        <source>User selectable with high power as default</source>
        <translation>Wählbar, Standard hohe Leistung</translation>
    </message>
    <message id="IDS_296">
        <source>Error: Can not find template files!</source>
        <translation>Fehler: Die Vorlagendateien wurden nicht gefunden!</translation>
    </message>
    <message id="IDS_297">
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message id="IDS_298">
        <source>A similar name already exists in Channels personalities. Please specify a different name.</source>
        <translation>Ein ähnlicher Name ist bei den Kanälen bereits vorhanden. Bitte geben Sie einen anderen Namen an.</translation>
    </message>
    <message id="IDS_309">
        <source>Error: Communication Error.</source>
        <translation>Fehler: Kommunikationsfehler.</translation>
    </message>
    <message id="IDS_310">
        <source>The CPS does not support this profile's region.</source>
        <translation>Die CPS unterstützt die Region dieses Profils nicht.</translation>
    </message>
    <message id="IDS_315">
        <source>Some files needed by CPS are not available.
Please reinstall CPS.</source>
        <translation>Einige Dateien, die die CPS benötigt, fehlen.
Bitte installieren Sie die CPS neu.</translation>
    </message>
    <message id="IDS_319">
        <source>When converting from high-tier radio to low-tier radio, some data may be lost. Do you want to continue?</source>
        <translation>Beim Umwandeln von einem Funkgerät der oberen in eines der unteren Klasse können Daten verloren gehen. Möchten Sie fortfahren?</translation>
    </message>
    <message id="IDS_320">
        <source>Choose a report template.</source>
        <translation>Wählen Sie eine Berichtsvorlage.</translation>
    </message>
    <message id="IDS_321">
        <source>&amp;Language</source>
        <translation>&amp;Sprache</translation>
    </message>
    <message id="IDS_322">
        <source>Detailed Report</source>
        <translation>Ausführlicher Bericht</translation>
    </message>
    <message id="IDS_323">
        <source>Customer Handout</source>
        <translation>Kundeninformation</translation>
    </message>
    <message id="IDS_325">
        <source>The language resource file is missing. The CPS will start with English language version.</source>
        <translation>Die Sprachdatei fehlt. Die CPS startet in englischer Sprache.</translation>
    </message>
    <message id="IDS_326">
        <source>Reports</source>
        <translation>Berichte</translation>
    </message>
    <message id="IDS_327">
        <source>Invalid Value.</source>
        <translation>Ungültiger Wert.</translation>
    </message>
    <message id="IDS_328">
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message id="IDS_329">
        <source>Error: Operation Failed (%d).</source>
        <translation>Fehler: Vorgang fehlgeschlagen (%d).</translation>
    </message>
    <message id="IDS_330">
        <source>You have to restart the CPS for this change to take effect.</source>
        <translation>Die Änderung wird erst nach einem Neustart der CPS wirksam.</translation>
    </message>
    <message id="IDS_331">
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message id="IDS_334">
        <source>USB Cable Connected</source>
        <translation>USB-Kabel verbunden</translation>
    </message>
    <message id="IDS_335">
        <source>Unknown warning!</source>
        <translation>Unbekannte Warnung!</translation>
    </message>
    <message id="IDS_336">
        <source>USB Cable Not Connected</source>
        <translation>USB-Kabel nicht verbunden</translation>
    </message>
    <message id="IDS_337">
        <source>All Files</source>
        <translation>Alle Dateien</translation>
    </message>
    <message id="IDS_338">
        <source>You can not delete the last channel.</source>
        <translation>Der letzte Kanal kann nicht gelöscht werden.</translation>
    </message>
    <message id="IDS_339">
        <source>Scramble Button</source>
        <translation>Scrambler-Taste</translation>
    </message>
    <message id="IDS_340">
        <source>Selectable</source>
        <translation>Wählbar</translation>
    </message>
    <message id="IDS_341">
        <source>ON/OFF</source>
        <translation>EIN/AUS</translation>
    </message>
    <message id="IDS_342">
        <source>Codeplug version of CPS and profile are incompatible! Please update your CPS.</source>
        <translation>Die Codeplug-Versionen von CPS und Profil sind nicht kompatibel! Bitte aktualisieren Sie Ihre CPS.</translation>
    </message>
    <message id="IDS_343">
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message id="IDS_344">
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message id="IDS_345">
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message id="IDS_346">
        <source>&amp;Device</source>
        <translation>&amp;Gerät</translation>
    </message>
    <message id="IDS_347">
        <source>&amp;Report</source>
        <translation>Be&amp;richt</translation>
    </message>
    <message id="IDS_348">
        <source>&amp;Window</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message id="IDS_349">
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message id="IDS_350">
        <source>&amp;New	Ctrl+N</source>
        <translation>&amp;Neu	Ctrl+N</translation>
    </message>
    <message id="IDS_351">
        <source>&amp;Open...	Ctrl+O</source>
        <translation>Ö&amp;ffnen...	Ctrl+O</translation>
    </message>
    <message id="IDS_352">
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
    <message id="IDS_353">
        <source>&amp;Save	Ctrl+S</source>
        <translation>&amp;Speichern	Ctrl+S</translation>
    </message>
    <message id="IDS_354">
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message id="IDS_355">
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message id="IDS_356">
        <source>&amp;Add	Ctrl+A</source>
        <translation>&amp;Hinzufügen	Ctrl+A</translation>
    </message>
    <message id="IDS_357">
        <source>Cu&amp;t	Ctrl+X</source>
        <translation>&amp;Ausschneiden	Ctrl+X</translation>
    </message>
    <message id="IDS_358">
        <source>&amp;Copy	Ctrl+C</source>
        <translation>&amp;Kopieren	Ctrl+C</translation>
    </message>
    <message id="IDS_359">
        <source>&amp;Paste	Ctrl+V</source>
        <translation>E&amp;infügen	Ctrl+V</translation>
    </message>
    <message id="IDS_360">
        <source>&amp;Delete	Del</source>
        <translation>&amp;Löschen	Del</translation>
    </message>
    <message id="IDS_361">
        <source>&amp;Rename	F2</source>
        <translation>&amp;Umbenennen	F2</translation>
    </message>
    <message id="IDS_362">
        <source>Dealer &amp;Info</source>
        <translation>Hän&amp;dlerinformationen</translation>
    </message>
    <message id="IDS_363">
        <source>&amp;Toolbar</source>
        <translation>&amp;Symbolleiste</translation>
    </message>
    <message id="IDS_364">
        <source>&amp;Status Bar</source>
        <translation>S&amp;tatusleiste</translation>
    </message>
    <message id="IDS_365">
        <source>&amp;Read	Ctrl+R</source>
        <translation>&amp;Lesen	Ctrl+R</translation>
    </message>
    <message id="IDS_366">
        <source>&amp;Write	Ctrl+W</source>
        <translation>&amp;Schreiben	Ctrl+W</translation>
    </message>
    <message id="IDS_367">
        <source>R&amp;eset	Ctrl+E</source>
        <translation>&amp;Zurücksetzen	Ctrl+E</translation>
    </message>
    <message id="IDS_368">
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message id="IDS_369">
        <source>&amp;Content and Index	F1</source>
        <translation>&amp;Inhalt und Index	F1</translation>
    </message>
    <message id="IDS_370">
        <source>&amp;Cascade</source>
        <translation>Ü&amp;berlappend</translation>
    </message>
    <message id="IDS_371">
        <source>&amp;Tile</source>
        <translation>&amp;Nebeneinander</translation>
    </message>
    <message id="IDS_372">
        <source>COM initial failed.</source>
        <translation>Die COM-Initialisierung ist fehlgeschlagen.</translation>
    </message>
    <message id="IDS_373">
        <source>Failed to open registry!</source>
        <translation>Die Einstellungen konnten nicht geöffnet werden!</translation>
    </message>
    <message id="IDS_374">
        <source>Failed to write registry!</source>
        <translation>Die Einstellungen konnten nicht geschrieben werden!</translation>
    </message>
    <message id="IDS_375">
        <source>The dealer information in the registry is too long to fit the dialog, please check it!</source>
        <translation>Die Händlerinformationen in den Einstellungen sind zu lang für den Dialog, bitte überprüfen Sie sie!</translation>
    </message>
    <message id="IDS_378">
        <source>Do you want to delete the selected item(s)?</source>
        <translation>Möchten Sie die ausgewählten Einträge löschen?</translation>
    </message>
    <message id="IDS_379">
        <source>Please enter the password:</source>
        <translation>Bitte geben Sie das Passwort ein:</translation>
    </message>
    <message id="IDS_380">
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message id="IDS_381">
        <source>CPS needs vbscript engine to start. Please install vbscript engine before re-starting the %s.</source>
        <translation>Die CPS benötigt zum Start eine VBScript-Engine. Bitte installieren Sie eine VBScript-Engine, bevor Sie %s neu starten.</translation>
    </message>
    <message id="IDS_382">
        <source>Print Preview</source>
        <translation>Druckvorschau</translation>
    </message>
    <message id="IDS_383">
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message id="IDS_384">
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message id="IDS_386">
        <source>%s KHz only</source>
        <translation>Nur %s kHz</translation>
    </message>
    <message id="IDS_387">
        <source>%s KHz only</source>
        <translation>Nur %s kHz</translation>
    </message>
    <message id="IDS_388">
        <source>Low power only</source>
        <translation>Nur niedrige Leistung</translation>
    </message>
    <message id="IDS_389">
        <source>High power only</source>
        <translation>Nur hohe Leistung</translation>
    </message>
    <message id="IDS_390">
        <source>Radio's memory is corrupted. Please perform factory reset to correct the error.</source>
        <translation>Der Speicher des Funkgeräts ist beschädigt. Bitte setzen Sie das Gerät auf die Werkseinstellungen zurück, um den Fehler zu beheben.</translation>
    </message>
    <message id="IDS_392">
        <source>E-mail</source>
        <translation>E-Mail</translation>
    </message>
    <message id="IDS_393">
        <source>The MAPI is not installed, you need to install it to send an e-mail.</source>
        <translation>MAPI ist nicht installiert. Sie müssen es installieren, um eine E-Mail zu senden.</translation>
    </message>
    <message id="IDS_396">
        <source>The current profile is not compatible with the radio.</source>
        <translation>Das aktuelle Profil ist nicht mit dem Funkgerät kompatibel.</translation>
    </message>
    <message id="IDS_397">
        <source>There are %d USB connections. Please remove the unused one and keep one connection only.</source>
        <translation>Es bestehen %d USB-Verbindungen. Bitte trennen Sie die nicht benötigten und lassen Sie nur eine Verbindung bestehen.</translation>
    </message>
    <message id="IDS_398">
        <source>Talkaround Power</source>
        <translation>Leistung im Direktbetrieb</translation>
    </message>
    <message id="IDS_399">
        <source>Help &amp;Pane</source>
        <translation>&amp;Hilfebereich</translation>
    </message>
    <message id="IDS_400">
        <source>In talkaround mode, Transmit will use Receive settings.</source>
        <translation>Im Direktbetrieb verwendet Senden die Einstellungen von Empfangen.</translation>
    </message>
    <message id="IDS_401">
        <source>This channel is assigned to a Preset Channel button. Deleting this channel shall cause the value change of the Preset Channel button. Do you want to continue?</source>
        <translation>Dieser Kanal ist einer Direktwahltaste zugewiesen. Wenn Sie ihn löschen, ändert sich die Belegung dieser Direktwahltaste. Möchten Sie fortfahren?</translation>
    </message>
    <message id="IDS_402">
        <source>Codeplug version of CPS and radio are incompatible! Please update your CPS.</source>
        <translation>Die Codeplug-Versionen von CPS und Funkgerät sind nicht kompatibel! Bitte aktualisieren Sie Ihre CPS.</translation>
    </message>
    <message id="IDS_403">
        <source>The CPS does not support this radio's region.</source>
        <translation>Die CPS unterstützt die Region dieses Funkgeräts nicht.</translation>
    </message>
    <message id="IDS_409">
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message id="IDS_410">
        <source>Radio's memory is corrupted. Please return to manufacture for correction.</source>
        <translation>Der Speicher des Funkgeräts ist beschädigt. Bitte senden Sie das Gerät zur Reparatur an den Hersteller.</translation>
    </message>
    <message id="IDS_414">
        <source>Disable</source>
        <translation>Aus</translation>
    </message>
    <message id="IDS_416">
        <source>Monitor</source>
        <translation>Monitor</translation>
    </message>
    <message id="IDS_417">
        <source>Scan/Nuisance Channel Delete</source>
        <translation>Suchlauf/Störkanal löschen</translation>
    </message>
    <message id="IDS_418">
        <source>You don't have permission to save %s in %s\%s\.&#13;
Would you like to save it in %s\ instead?</source>
        <translation>Sie haben keine Berechtigung, %s in %s\%s\ zu speichern.&#13;
Möchten Sie die Datei stattdessen in %s\ speichern?</translation>
    </message>
    <message id="IDS_419">
        <source>Tx Power Selection</source>
        <translation>Sendeleistung umschalten</translation>
    </message>
    <message id="IDS_420">
        <source>Failed to generate report.</source>
        <translation>Der Bericht konnte nicht erstellt werden.</translation>
    </message>
    <message id="IDS_421">
        <source>Repeater/Talkaround</source>
        <translation>Relais/Direktbetrieb</translation>
    </message>
    <message id="IDS_422">
        <source>No Operation</source>
        <translation>Keine Funktion</translation>
    </message>
    <message id="IDS_423">
        <source>Backlight</source>
        <translation>Beleuchtung</translation>
    </message>
    <message id="IDS_424">
        <source>Preset 1</source>
        <translation>Direktwahl 1</translation>
    </message>
    <message id="IDS_425">
        <source>Preset 2</source>
        <translation>Direktwahl 2</translation>
    </message>
    <message id="IDS_429">
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message id="IDS_433">
        <source>%s KHz</source>
        <translation>%s kHz</translation>
    </message>
    <message id="IDS_434">
        <source>%s KHz</source>
        <translation>%s kHz</translation>
    </message>
    <message id="IDS_435">
        <source>No CT/DCS code</source>
        <translation>Kein CT/DCS-Code</translation>
    </message>
    <message id="IDS_440">
        <source>The radio being programmed does not match the model in the current profile.</source>
        <translation>Das zu programmierende Funkgerät entspricht nicht dem Modell des aktuellen Profils.</translation>
    </message>
    <message id="IDS_447">
        <source>Transmit Power</source>
        <translation>Sendeleistung</translation>
    </message>
    <message id="IDS_459">
        <source>(default)</source>
        <translation>(Standard)</translation>
    </message>
    <message id="IDS_462">
        <source>The CPS does not support this radio model.</source>
        <translation>Die CPS unterstützt dieses Funkgerätemodell nicht.</translation>
    </message>
    <message id="IDS_464">
        <source>Compander/Expander</source>
        <translation>Kompander</translation>
    </message>
    <message id="IDS_465">
        <source>ON</source>
        <translation>EIN</translation>
    </message>
    <message id="IDS_466">
        <source>OFF</source>
        <translation>AUS</translation>
    </message>
    <message id="IDS_470">
        <source>Customized CT</source>
        <translation>Eigene CT-Töne</translation>
    </message>
    <message id="IDS_471">
        <source>Customized CT</source>
        <translation>Eigener CT-Ton</translation>
    </message>
    <message id="IDS_472">
        <source>CT Code 124 (Hz)</source>
        <translation>CT-Code 124 (Hz)</translation>
    </message>
    <message id="IDS_473">
        <source>CT Code 125 (Hz)</source>
        <translation>CT-Code 125 (Hz)</translation>
    </message>
    <message id="IDS_474">
        <source>CT Code 126 (Hz)</source>
        <translation>CT-Code 126 (Hz)</translation>
    </message>
    <message id="IDS_475">
        <source>CT Code 127 (Hz)</source>
        <translation>CT-Code 127 (Hz)</translation>
    </message>
    <message id="IDS_476">
        <source>CT Code 128 (Hz)</source>
        <translation>CT-Code 128 (Hz)</translation>
    </message>
    <message id="IDS_477">
        <source>CT Code 129 (Hz)</source>
        <translation>CT-Code 129 (Hz)</translation>
    </message>
    <message id="IDS_478">
        <source>The CT Code you input is invalid. The valid range is: 67.0 - 255 Hz.</source>
        <translation>Der eingegebene CT-Code ist ungültig. Gültiger Bereich: 67,0 - 255 Hz.</translation>
    </message>
    <message id="IDS_479">
        <source>DCS</source>
        <translation>DCS</translation>
    </message>
    <message id="IDS_480">
        <source>Inverted DCS</source>
        <translation>Invertierter DCS</translation>
    </message>
    <message id="IDS_482">
        <source>Hz</source>
        <translation>Hz</translation>
    </message>
    <message id="IDS_483">
        <source>Some profile information is not supported by the host radio and therefore it will not be transferred(CT/DCS Code). Its range is 0 - 122. </source>
        <translation>Einige Angaben des Profils werden vom angeschlossenen Funkgerät nicht unterstützt und daher nicht übertragen (CT/DCS-Code). Der zulässige Bereich ist 0 - 122. </translation>
    </message>
    <message id="IDS_484">
        <source>Repeater Station ID</source>
        <translation>Relaiskennung</translation>
    </message>
    <message id="IDS_485">
        <source>Repeater ID Mode</source>
        <translation>Kennungsmodus des Relais</translation>
    </message>
    <message id="IDS_486">
        <source>Tx Hangtime (Sec.)</source>
        <translation>Sendenachlaufzeit (s)</translation>
    </message>
    <message id="IDS_487">
        <source>On Battery Alert Tone</source>
        <translation>Warnton bei schwacher Batterie</translation>
    </message>
    <message id="IDS_488">
        <source>Enable Courtesy Over Beep</source>
        <translation>Courtesy-Ton aktivieren</translation>
    </message>
    <message id="IDS_489">
        <source>Tx Frequency Range (MHz)</source>
        <translation>Sendefrequenzbereich (MHz)</translation>
    </message>
    <message id="IDS_490">
        <source>Rx Frequency Range (MHz)</source>
        <translation>Empfangsfrequenzbereich (MHz)</translation>
    </message>
    <message id="IDS_491">
        <source>The repeater station ID is invalid. It can hold at most 9 characters.</source>
        <translation>Die Relaiskennung ist ungültig. Sie darf höchstens 9 Zeichen lang sein.</translation>
    </message>
    <message id="IDS_492">
        <source>The Tx hangtime is out of the valid range.</source>
        <translation>Die Sendenachlaufzeit liegt außerhalb des gültigen Bereichs.</translation>
    </message>
    <message id="IDS_493">
        <source>15 min</source>
        <translation>15 min</translation>
    </message>
    <message id="IDS_494">
        <source>30 min</source>
        <translation>30 min</translation>
    </message>
    <message id="IDS_495">
        <source>After conversation</source>
        <translation>Nach Gesprächsende</translation>
    </message>
    <message id="IDS_496">
        <source>15 min</source>
        <translation>15 min</translation>
    </message>
    <message id="IDS_497">
        <source>30 min</source>
        <translation>30 min</translation>
    </message>
    <message id="IDS_498">
        <source>45 min</source>
        <translation>45 min</translation>
    </message>
    <message id="IDS_499">
        <source>60 min</source>
        <translation>60 min</translation>
    </message>
    <message id="IDS_503">
        <source>Please use the &quot;%s&quot;.</source>
        <translation>Bitte verwenden Sie die „%s“.</translation>
    </message>
    <message id="IDS_504">
        <source>Please use the &quot;%s&quot;.</source>
        <translation>Bitte verwenden Sie die „%s“.</translation>
    </message>
    <message id="IDS_505">
        <source>Tx Low Battery (Min.)</source>
        <translation>Senden bei schwacher Batterie (min)</translation>
    </message>
    <message id="IDS_506">
        <source>The Tx low battery time is out of the valid range.</source>
        <translation>Die Sendezeit bei schwacher Batterie liegt außerhalb des gültigen Bereichs.</translation>
    </message>
    <message id="IDS_507">
        <source>&amp;Factory Reset</source>
        <translation>&amp;Werkseinstellungen</translation>
    </message>
    <message id="IDS_508">
        <source>Warning: The operation shall erase all user settings and bring back the repeater's default settings. Do you want to continue?</source>
        <translation>Warnung: Dieser Vorgang löscht alle Benutzereinstellungen und stellt die Standardeinstellungen des Relais wieder her. Möchten Sie fortfahren?</translation>
    </message>
    <message id="IDS_510">
        <source>Out of range</source>
        <translation>Außerhalb des Bereichs</translation>
    </message>
    <message id="IDS_511">
        <source>At least one channel frequency is out of the valid frequency range. Please correct it before programming. If there is no valid frequency to select, please edit the frequency table first.</source>
        <translation>Mindestens eine Kanalfrequenz liegt außerhalb des gültigen Frequenzbereichs. Bitte korrigieren Sie sie vor dem Programmieren. Wenn keine gültige Frequenz zur Auswahl steht, bearbeiten Sie zuerst die Frequenztabelle.</translation>
    </message>
    <message id="IDS_514">
        <source>The transmit frequency index can not be same as the receive frequency index. The next available transmit frequency shall be selected.</source>
        <translation>Der Sendefrequenz-Index darf nicht gleich dem Empfangsfrequenz-Index sein. Die nächste freie Sendefrequenz wird gewählt.</translation>
    </message>
    <message id="IDS_515">
        <source>High-power is only available in non-PMR446 markets</source>
        <translation>Hohe Sendeleistung gibt es nur außerhalb der PMR446-Märkte</translation>
    </message>
    <message id="IDS_9001">
        <source>Invalid serial number</source>
        <translation>Ungültige Seriennummer</translation>
    </message>
    <message id="IDS_9002">
        <source>Codeplug is corrupted</source>
        <translation>Der Codeplug ist beschädigt</translation>
    </message>
    <message id="IDS_9100">
        <source>Permission denied on %1. Join the group &quot;%2&quot; that owns the serial device (for example: sudo usermod -aG %2 $USER), then log out and log in again: a new group takes effect only at a new login.</source>
        <translation>Zugriff auf %1 verweigert. Treten Sie der Gruppe „%2“ bei, der das serielle Gerät gehört (zum Beispiel: sudo usermod -aG %2 $USER), und melden Sie sich dann ab und wieder an: Eine neue Gruppe wird erst bei einer neuen Anmeldung wirksam.</translation>
    </message>
    <message id="IDS_9101">
        <source>%1 is in use by another program.</source>
        <translation>%1 wird von einem anderen Programm verwendet.</translation>
    </message>
    <message id="IDS_9102">
        <source>No programming cable found. Connect the Zerva Series CPS Cable, or name a serial device with --port.</source>
        <translation>Kein Programmierkabel gefunden. Schließen Sie das Zerva Series CPS-Kabel an oder geben Sie mit --port ein serielles Gerät an.</translation>
    </message>
    <message id="IDS_9103">
        <source>The radio did not answer.</source>
        <translation>Das Funkgerät hat nicht geantwortet.</translation>
    </message>
    <message id="IDS_9104">
        <source>The radio did not acknowledge the request (protocol error -10).</source>
        <translation>Das Funkgerät hat die Anfrage nicht bestätigt (Protokollfehler -10).</translation>
    </message>
    <message id="IDS_9105">
        <source>The radio's reply failed its checksum (protocol error -11).</source>
        <translation>Die Prüfsumme der Antwort des Funkgeräts ist falsch (Protokollfehler -11).</translation>
    </message>
    <message id="IDS_9106">
        <source>The radio refused the memory write (protocol error -12).</source>
        <translation>Das Funkgerät hat das Schreiben in den Speicher abgelehnt (Protokollfehler -12).</translation>
    </message>
    <message id="IDS_9107">
        <source>The cable failed (status %1).</source>
        <translation>Das Kabel ist ausgefallen (Status %1).</translation>
    </message>
    <message id="IDS_9108">
        <source>The connection to the radio was lost (is the cable still plugged in?): %1</source>
        <translation>Die Verbindung zum Funkgerät ist abgebrochen (ist das Kabel noch eingesteckt?): %1</translation>
    </message>
    <message id="IDS_9110">
        <source>Reading from the radio ...</source>
        <translation>Lesen aus dem Funkgerät ...</translation>
    </message>
    <message id="IDS_9111">
        <source>Writing to the radio ...</source>
        <translation>Schreiben in das Funkgerät ...</translation>
    </message>
    <message id="IDS_9112">
        <source>Read Succeeded!</source>
        <translation>Lesen erfolgreich!</translation>
    </message>
    <message id="IDS_9113">
        <source>Write Succeeded!</source>
        <translation>Schreiben erfolgreich!</translation>
    </message>
    <message id="IDS_9114">
        <source>Read Failed!</source>
        <translation>Lesen fehlgeschlagen!</translation>
    </message>
    <message id="IDS_9115">
        <source>Write Failed!</source>
        <translation>Schreiben fehlgeschlagen!</translation>
    </message>
    <message id="IDS_9116">
        <source>Transferring...</source>
        <translation>Übertragung läuft...</translation>
    </message>
    <message id="IDS_9117">
        <source>Identifying the radio ...</source>
        <translation>Funkgerät wird erkannt ...</translation>
    </message>
    <message id="IDS_9118">
        <source>Resetting the radio ...</source>
        <translation>Funkgerät wird zurückgesetzt ...</translation>
    </message>
    <message id="IDS_9119">
        <source>Restoring the radio's factory settings ...</source>
        <translation>Werkseinstellungen des Funkgeräts werden wiederhergestellt ...</translation>
    </message>
    <message id="IDS_9120">
        <source>Factory reset not confirmed: add --yes to erase all user settings.</source>
        <translation>Zurücksetzen auf Werkseinstellungen nicht bestätigt: Geben Sie --yes an, um alle Benutzereinstellungen zu löschen.</translation>
    </message>
    <message id="IDS_9121">
        <source>The radio's answer was too short.</source>
        <translation>Die Antwort des Funkgeräts war zu kurz.</translation>
    </message>
    <message id="IDS_9122">
        <source>The radio sent an unexpected reply (another command, address or length, or endless noise).</source>
        <translation>Das Funkgerät hat unerwartet geantwortet (anderer Befehl, andere Adresse oder Länge, oder endloses Rauschen).</translation>
    </message>
    <message id="IDS_9123">
        <source>The radio may now hold a partly written codeplug. Writing to it again, or writing back its backup image, puts it right.</source>
        <translation>Das Funkgerät enthält jetzt möglicherweise einen nur teilweise geschriebenen Codeplug. Erneutes Schreiben oder das Zurückschreiben der Sicherungskopie behebt das.</translation>
    </message>
    <message id="IDS_9124">
        <source>Permission denied on %1: its mode (%2) does not let its group read and write it, so joining a group would not help. Ask the administrator to give you access to the device (for example: sudo chmod 660 %1).</source>
        <translation>Zugriff auf %1 verweigert: Seine Zugriffsrechte (%2) erlauben seiner Gruppe weder Lesen noch Schreiben, ein Gruppenbeitritt würde also nicht helfen. Bitten Sie den Administrator, Ihnen Zugriff auf das Gerät zu geben (zum Beispiel: sudo chmod 660 %1).</translation>
    </message>
    <message id="IDS_9125">
        <source>Permission denied on %1 although this program already runs in its group &quot;%2&quot;: something other than the group refuses the access (an access control list or a security policy).</source>
        <translation>Zugriff auf %1 verweigert, obwohl dieses Programm bereits in seiner Gruppe „%2“ läuft: Etwas anderes als die Gruppe verweigert den Zugriff (eine Zugriffssteuerungsliste oder eine Sicherheitsrichtlinie).</translation>
    </message>
    <message id="IDS_9126">
        <source>setting byte %1</source>
        <translation>Einstellungsbyte %1</translation>
    </message>
    <message id="IDS_9127">
        <source>channel %1</source>
        <translation>Kanal %1</translation>
    </message>
    <message id="IDS_9128">
        <source>customised tone %1</source>
        <translation>eigener Ton %1</translation>
    </message>
    <message id="IDS_9129">
        <source>frequency slot %1</source>
        <translation>Frequenzplatz %1</translation>
    </message>
    <message id="IDS_9130">
        <source>Verify Failed! The radio does not hold what was written: the first difference is in %1.</source>
        <translation>Überprüfung fehlgeschlagen! Das Funkgerät enthält nicht, was geschrieben wurde: Die erste Abweichung liegt bei %1.</translation>
    </message>
    <message id="IDS_9131">
        <source>The radio's current image could not be backed up (%1), so nothing was written.</source>
        <translation>Das aktuelle Abbild des Funkgeräts konnte nicht gesichert werden (%1), daher wurde nichts geschrieben.</translation>
    </message>
    <message id="IDS_9132">
        <source>Backing up the radio ...</source>
        <translation>Funkgerät wird gesichert ...</translation>
    </message>
    <message id="IDS_9133">
        <source>Verifying the radio ...</source>
        <translation>Funkgerät wird überprüft ...</translation>
    </message>
    <message id="IDS_9134">
        <source>Verify Succeeded!</source>
        <translation>Überprüfung erfolgreich!</translation>
    </message>
    <message id="IDS_9135">
        <source>The radio's previous image was saved to %1.</source>
        <translation>Das vorherige Abbild des Funkgeräts wurde in %1 gespeichert.</translation>
    </message>
    <message id="IDS_9136">
        <source>A radio transfer is still running. Please wait until it has ended before closing the CPS.</source>
        <translation>Eine Übertragung mit dem Funkgerät läuft noch. Bitte warten Sie, bis sie beendet ist, bevor Sie die CPS schließen.</translation>
    </message>
    <message id="IDS_9137">
        <source>&amp;Port and Transfer...</source>
        <translation>&amp;Anschluss und Übertragung...</translation>
    </message>
    <message id="IDS_9138">
        <source>Port and Transfer</source>
        <translation>Anschluss und Übertragung</translation>
    </message>
    <message id="IDS_9139">
        <source>&amp;Serial port (empty: search for the programming cable):</source>
        <translation>&amp;Serieller Anschluss (leer: Programmierkabel suchen):</translation>
    </message>
    <message id="IDS_9140">
        <source>&amp;Verify after write</source>
        <translation>Nach dem Schreiben &amp;überprüfen</translation>
    </message>
    <message id="IDS_9141">
        <source>&amp;Trace file (empty: none):</source>
        <translation>&amp;Protokolldatei (leer: keine):</translation>
    </message>
    <message id="IDS_9301">
        <source>This frequency is already in the frequency table.</source>
        <translation>Diese Frequenz ist bereits in der Frequenztabelle.</translation>
    </message>
    <message id="IDS_9302">
        <source>The frequency table is full.</source>
        <translation>Die Frequenztabelle ist voll.</translation>
    </message>
    <message id="IDS_9303">
        <source>This frequency is used by channels. Changing it changes those channels too. Do you want to continue?</source>
        <translation>Diese Frequenz wird von Kanälen verwendet. Eine Änderung betrifft auch diese Kanäle. Möchten Sie fortfahren?</translation>
    </message>
    <message id="IDS_9304">
        <source>This CT/DCS code is not supported by this radio.</source>
        <translation>Dieser CT/DCS-Code wird von diesem Funkgerät nicht unterstützt.</translation>
    </message>
    <message id="IDS_9305">
        <source>This value is fixed by the radio and can not be changed.</source>
        <translation>Dieser Wert ist durch das Funkgerät festgelegt und kann nicht geändert werden.</translation>
    </message>
    <message id="IDS_9306">
        <source>This feature is not available on this radio.</source>
        <translation>Diese Funktion ist bei diesem Funkgerät nicht verfügbar.</translation>
    </message>
    <message id="IDS_9307">
        <source>The repeater feature is only available in licensed business markets.</source>
        <translation>Die Relaisfunktion ist nur in Märkten für lizenzierten Betriebsfunk verfügbar.</translation>
    </message>
    <message id="IDS_9308">
        <source>The model code can not be changed to this region.</source>
        <translation>Der Modellcode kann nicht auf diese Region geändert werden.</translation>
    </message>
    <message id="IDS_9309">
        <source>No more channels can be added to this radio.</source>
        <translation>Diesem Funkgerät können keine weiteren Kanäle hinzugefügt werden.</translation>
    </message>
    <message id="IDS_9310">
        <source>The name is too long. A channel name can hold at most 8 characters.</source>
        <translation>Der Name ist zu lang. Ein Kanalname darf höchstens 8 Zeichen lang sein.</translation>
    </message>
    <message id="IDS_9311">
        <source>The power up text can hold only letters, digits, spaces and the signs the radio can show (no accented letters).</source>
        <translation>Der Einschalttext darf nur Buchstaben, Ziffern, Leerzeichen und die Zeichen enthalten, die das Funkgerät anzeigen kann (keine Umlaute oder Akzente).</translation>
    </message>
    <message id="IDS_9400">
        <source>Receive/Transmit</source>
        <translation>Empfangen/Senden</translation>
    </message>
    <message id="IDS_9401">
        <source>Prog 1 (URB)</source>
        <translation>Prog 1 (oben rechts)</translation>
    </message>
    <message id="IDS_9402">
        <source>Prog 2 (LLB)</source>
        <translation>Prog 2 (unten links)</translation>
    </message>
    <message id="IDS_9403">
        <source>Prog 3 (LRB)</source>
        <translation>Prog 3 (unten rechts)</translation>
    </message>
    <message id="IDS_9404">
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message id="IDS_9405">
        <source>MHz</source>
        <translation>MHz</translation>
    </message>
    <message id="IDS_9406">
        <source>Frequency</source>
        <translation>Frequenz</translation>
    </message>
    <message id="IDS_9407">
        <source>Frequency(Index)</source>
        <translation>Frequenz (Index)</translation>
    </message>
    <message id="IDS_9408">
        <source>Enable</source>
        <translation>Ein</translation>
    </message>
    <message id="IDS_9409">
        <source>Channel #</source>
        <translation>Kanal Nr.</translation>
    </message>
    <message id="IDS_9410">
        <source>Tulka</source>
        <translation>Tulka</translation>
    </message>
    <message id="IDS_9411">
        <source>Olvan</source>
        <translation>Olvan</translation>
    </message>
    <message id="IDS_9412">
        <source>Up Button:</source>
        <translation>Aufwärts-Taste:</translation>
    </message>
    <message id="IDS_9413">
        <source>Tri-Color LED</source>
        <translation>Dreifarbige LED</translation>
    </message>
    <message id="IDS_9414">
        <source>Spring Action Belt Clip</source>
        <translation>Federnder Gürtelclip</translation>
    </message>
    <message id="IDS_9415">
        <source>Sorra</source>
        <translation>Sorra</translation>
    </message>
    <message id="IDS_9416">
        <source>Scroll up the menu items/change channel</source>
        <translation>Im Menü nach oben blättern/Kanal wechseln</translation>
    </message>
    <message id="IDS_9417">
        <source>Scroll down the menu items/change channel</source>
        <translation>Im Menü nach unten blättern/Kanal wechseln</translation>
    </message>
    <message id="IDS_9418">
        <source>Zerva</source>
        <translation>Zerva</translation>
    </message>
    <message id="IDS_9419">
        <source>Push-to-Talk (PTT)</source>
        <translation>Sendetaste (PTT)</translation>
    </message>
    <message id="IDS_9420">
        <source>Power/Volume Knob</source>
        <translation>Ein/Aus- und Lautstärkeregler</translation>
    </message>
    <message id="IDS_9421">
        <source>Model</source>
        <translation>Modell</translation>
    </message>
    <message id="IDS_9422">
        <source>Model Number</source>
        <translation>Modellnummer</translation>
    </message>
    <message id="IDS_9423">
        <source>Microphone</source>
        <translation>Mikrofon</translation>
    </message>
    <message id="IDS_9424">
        <source>Menu Mode</source>
        <translation>Menümodus</translation>
    </message>
    <message id="IDS_9425">
        <source>Menu Button:</source>
        <translation>Menütaste:</translation>
    </message>
    <message id="IDS_9426">
        <source>Li-Ion Battery Pack</source>
        <translation>Li-Ion-Akku</translation>
    </message>
    <message id="IDS_9427">
        <source>Down Button:</source>
        <translation>Abwärts-Taste:</translation>
    </message>
    <message id="IDS_9428">
        <source>Pemba</source>
        <translation>Pemba</translation>
    </message>
    <message id="IDS_9429">
        <source>Channel Selector</source>
        <translation>Kanalwähler</translation>
    </message>
    <message id="IDS_9430">
        <source>Accessory Jack</source>
        <translation>Zubehörbuchse</translation>
    </message>
    <message id="IDS_9440">
        <source>The report could not be saved as %1.</source>
        <translation>Der Bericht konnte nicht als %1 gespeichert werden.</translation>
    </message>
    <message id="IDS_9441">
        <source>HTML Files</source>
        <translation>HTML-Dateien</translation>
    </message>
    <message id="IDS_9442">
        <source>PDF Files</source>
        <translation>PDF-Dateien</translation>
    </message>
    <message id="IDS_9460">
        <source>Cannot open the file %1.</source>
        <translation>Die Datei %1 kann nicht geöffnet werden.</translation>
    </message>
    <message id="IDS_9461">
        <source>Contents</source>
        <translation>Inhalt</translation>
    </message>
    <message id="IDS_9462">
        <source>Help page</source>
        <translation>Hilfeseite</translation>
    </message>
    <message id="IDS_9463">
        <source>Profile</source>
        <translation>Profil</translation>
    </message>
    <message id="IDS_9464">
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message id="IDS_9465">
        <source>&amp;No</source>
        <translation>&amp;Nein</translation>
    </message>
    <message id="IDS_9700">
        <source>This is not a CHIRP CSV file: its first line does not name the columns Location and Frequency.</source>
        <translation>Dies ist keine CHIRP-CSV-Datei: Ihre erste Zeile nennt nicht die Spalten Location und Frequency.</translation>
    </message>
    <message id="IDS_9701">
        <source>Line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message id="IDS_9702">
        <source>The location &quot;%1&quot; is not a channel number.</source>
        <translation>Der Speicherplatz „%1“ ist keine Kanalnummer.</translation>
    </message>
    <message id="IDS_9703">
        <source>The radio has only %1 channels.</source>
        <translation>Das Funkgerät hat nur %1 Kanäle.</translation>
    </message>
    <message id="IDS_9704">
        <source>&quot;%1&quot; is not a frequency in MHz.</source>
        <translation>„%1“ ist keine Frequenz in MHz.</translation>
    </message>
    <message id="IDS_9705">
        <source>Unknown tone mode &quot;%1&quot;.</source>
        <translation>Unbekannte Tonart „%1“.</translation>
    </message>
    <message id="IDS_9706">
        <source>The tone %1 Hz is not in the code table and no customised tone slot is free.</source>
        <translation>Der Ton %1 Hz steht nicht in der Codetabelle, und es ist kein Platz für eigene Töne frei.</translation>
    </message>
    <message id="IDS_9707">
        <source>Unknown DCS code &quot;%1&quot;.</source>
        <translation>Unbekannter DCS-Code „%1“.</translation>
    </message>
    <message id="IDS_9708">
        <source>The mode &quot;%1&quot; is not supported: the radio works with FM and NFM.</source>
        <translation>Die Betriebsart „%1“ wird nicht unterstützt: Das Funkgerät arbeitet mit FM und NFM.</translation>
    </message>
    <message id="IDS_9709">
        <source>The duplex setting &quot;%1&quot; is not supported.</source>
        <translation>Die Duplex-Einstellung „%1“ wird nicht unterstützt.</translation>
    </message>
    <message id="IDS_9710">
        <source>Unknown power &quot;%1&quot;.</source>
        <translation>Unbekannte Leistung „%1“.</translation>
    </message>
    <message id="IDS_9711">
        <source>Receive frequency %1 MHz: %2</source>
        <translation>Empfangsfrequenz %1 MHz: %2</translation>
    </message>
    <message id="IDS_9712">
        <source>Transmit frequency %1 MHz: %2</source>
        <translation>Sendefrequenz %1 MHz: %2</translation>
    </message>
    <message id="IDS_9713">
        <source>The frequency %1 MHz allows only %2 kHz.</source>
        <translation>Die Frequenz %1 MHz erlaubt nur %2 kHz.</translation>
    </message>
    <message id="IDS_9714">
        <source>The frequency %1 MHz allows only the power &quot;%2&quot;.</source>
        <translation>Die Frequenz %1 MHz erlaubt nur die Leistung „%2“.</translation>
    </message>
    <message id="IDS_9715">
        <source>The name &quot;%1&quot; was not taken (%2) The channel is called &quot;%3&quot;.</source>
        <translation>Der Name „%1“ wurde nicht übernommen (%2) Der Kanal heißt „%3“.</translation>
    </message>
    <message id="IDS_9716">
        <source>%1 of %2 rows imported.</source>
        <translation>%1 von %2 Zeilen importiert.</translation>
    </message>
    <message id="IDS_9717">
        <source>No row could be imported; the profile was not saved.</source>
        <translation>Keine Zeile konnte importiert werden; das Profil wurde nicht gespeichert.</translation>
    </message>
    <message id="IDS_9718">
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message id="IDS_9720">
        <source>&amp;Import CHIRP CSV...</source>
        <translation>CHIRP-CSV &amp;importieren...</translation>
    </message>
    <message id="IDS_9721">
        <source>&amp;Export CHIRP CSV...</source>
        <translation>CHIRP-CSV &amp;exportieren...</translation>
    </message>
    <message id="IDS_9722">
        <source>CHIRP CSV Files</source>
        <translation>CHIRP-CSV-Dateien</translation>
    </message>
    <message id="IDS_9723">
        <source>Import CHIRP CSV</source>
        <translation>CHIRP-CSV importieren</translation>
    </message>
    <message id="IDS_9724">
        <source>Export CHIRP CSV</source>
        <translation>CHIRP-CSV exportieren</translation>
    </message>
    <message id="IDS_9725">
        <source>The file %1 could not be written.
%2</source>
        <translation>Die Datei %1 konnte nicht geschrieben werden.
%2</translation>
    </message>
    <message id="IDS_9726">
        <source>... and %1 more lines.</source>
        <translation>... und %1 weitere Zeilen.</translation>
    </message>
    <message id="IDS_9727">
        <source>The file counts its locations from 0: location N went to channel N + 1.</source>
        <translation>Die Datei zählt ihre Speicherplätze ab 0: Platz N ging in Kanal N + 1.</translation>
    </message>
    <message id="IDS_9728">
        <source>%1: bandwidth set to %2, power to %3, as this radio allows only these.</source>
        <translation>%1: Bandbreite auf %2, Leistung auf %3 gesetzt, da dieses Funkgerät nur diese Werte erlaubt.</translation>
    </message>
    <message id="IDS_9729">
        <source>%1: bandwidth set to %2, as this radio allows only this.</source>
        <translation>%1: Bandbreite auf %2 gesetzt, da dieses Funkgerät nur diesen Wert erlaubt.</translation>
    </message>
    <message id="IDS_9730">
        <source>%1: power set to %2, as this radio allows only this.</source>
        <translation>%1: Leistung auf %2 gesetzt, da dieses Funkgerät nur diesen Wert erlaubt.</translation>
    </message>
    <message id="IDS_9731">
        <source>%1 rows were left out: the radio has only %2 channels.</source>
        <translation>%1 Zeilen wurden ausgelassen: Das Funkgerät hat nur %2 Kanäle.</translation>
    </message>
    <message id="IDS_9732">
        <source>Channel &amp;order:</source>
        <translation>Kanal&amp;reihenfolge:</translation>
    </message>
    <message id="IDS_9733">
        <source>By location</source>
        <translation>Nach Speicherplatz</translation>
    </message>
    <message id="IDS_9734">
        <source>In file order from channel 1</source>
        <translation>In Dateireihenfolge ab Kanal 1</translation>
    </message>
    <message id="IDS_9735">
        <source>%1 rows</source>
        <translation>%1 Zeilen</translation>
    </message>
    <message id="IDS_9736">
        <source>1 row</source>
        <translation>1 Zeile</translation>
    </message>
    <message id="IDS_9737">
        <source>1 row was left out: the radio has only %1 channels.</source>
        <translation>1 Zeile wurde ausgelassen: Das Funkgerät hat nur %1 Kanäle.</translation>
    </message>
    <message id="IDS_9750">
        <source>%1 (process %2)</source>
        <translation>%1 (Prozess %2)</translation>
    </message>
    <message id="IDS_9751">
        <source>%1 is in use by %2. Try again when the port is free.</source>
        <translation>%1 wird von %2 verwendet. Versuchen Sie es erneut, wenn der Anschluss frei ist.</translation>
    </message>
    <message id="IDS_9752">
        <source>The port %1 is gone: the cable was unplugged, or its driver let the port go. Plug the cable in again.</source>
        <translation>Der Anschluss %1 ist verschwunden: Das Kabel wurde abgezogen oder sein Treiber hat den Anschluss freigegeben. Stecken Sie das Kabel wieder ein.</translation>
    </message>
    <message id="IDS_9753">
        <source>No USB serial port found.</source>
        <translation>Kein serieller USB-Anschluss gefunden.</translation>
    </message>
    <message id="IDS_9754">
        <source>the programming cable</source>
        <translation>das Programmierkabel</translation>
    </message>
    <message id="IDS_9755">
        <source>not the programming cable</source>
        <translation>nicht das Programmierkabel</translation>
    </message>
    <message id="IDS_9756">
        <source>this user can open it</source>
        <translation>dieser Benutzer kann ihn öffnen</translation>
    </message>
    <message id="IDS_9757">
        <source>this user cannot open it: %1</source>
        <translation>dieser Benutzer kann ihn nicht öffnen: %1</translation>
    </message>
    <message id="IDS_9758">
        <source>%1: &quot;%2&quot;, %3, %4</source>
        <translation>%1: „%2“, %3, %4</translation>
    </message>
    <message id="IDS_9800">
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message id="IDS_9801">
        <source>it is a folder</source>
        <translation>es ist ein Ordner</translation>
    </message>
    <message id="IDS_9802">
        <source>it is not a regular file</source>
        <translation>es ist keine gewöhnliche Datei</translation>
    </message>
    <message id="IDS_9803">
        <source>%1 is neither a regular file nor a device (a pipe, a socket or a folder?): a trace or a log is never written there.</source>
        <translation>%1 ist weder eine gewöhnliche Datei noch ein Gerät (eine Pipe, ein Socket oder ein Ordner?): Eine Ablaufverfolgung oder ein Protokoll wird dort nie geschrieben.</translation>
    </message>
    <message id="IDS_9804">
        <source>The trace cannot be written (%1). The transfer goes on without it.</source>
        <translation>Die Ablaufverfolgung kann nicht geschrieben werden (%1). Die Übertragung läuft ohne sie weiter.</translation>
    </message>
    <message id="IDS_9805">
        <source>The batch log cannot be written (%1). The batch stops here, before the next radio.</source>
        <translation>Das Serienprotokoll kann nicht geschrieben werden (%1). Die Serie endet hier, vor dem nächsten Funkgerät.</translation>
    </message>
    <message id="IDS_9806">
        <source>serial unknown (port %1)</source>
        <translation>Seriennummer unbekannt (Anschluss %1)</translation>
    </message>
    <message id="IDS_9807">
        <source>channel %1 checksum</source>
        <translation>Prüfsumme von Kanal %1</translation>
    </message>
    <message id="IDS_9808">
        <source>memory byte %1</source>
        <translation>Speicherbyte %1</translation>
    </message>
    <message id="IDS_9809">
        <source>%1 does not read back as it was written</source>
        <translation>%1 lässt sich nicht so zurücklesen, wie es geschrieben wurde</translation>
    </message>
    <message id="IDS_9840">
        <source>The profile %1 cannot be opened: %2</source>
        <translation>Das Profil %1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message id="IDS_9841">
        <source>the file does not exist.</source>
        <translation>die Datei existiert nicht.</translation>
    </message>
    <message id="IDS_9842">
        <source>it is a folder.</source>
        <translation>es ist ein Ordner.</translation>
    </message>
    <message id="IDS_9843">
        <source>it is not a regular file.</source>
        <translation>es ist keine reguläre Datei.</translation>
    </message>
    <message id="IDS_9844">
        <source>permission denied.</source>
        <translation>Zugriff verweigert.</translation>
    </message>
    <message id="IDS_9845">
        <source>it is larger than %1 bytes.</source>
        <translation>es ist größer als %1 Bytes.</translation>
    </message>
    <message id="IDS_9847">
        <source>Do you want to write the backup back to the radio now?</source>
        <translation>Möchten Sie die Sicherung jetzt wieder in das Funkgerät schreiben?</translation>
    </message>
    <message id="IDS_9848">
        <source>Restore &amp;Backup...</source>
        <translation>Sicherung &amp;wiederherstellen...</translation>
    </message>
    <message id="IDS_9849">
        <source>Restore Backup</source>
        <translation>Sicherung wiederherstellen</translation>
    </message>
    <message id="IDS_9850">
        <source>&amp;Backups of radio %1 (newest first):</source>
        <translation>&amp;Sicherungen des Funkgeräts %1 (neueste zuerst):</translation>
    </message>
    <message id="IDS_9851">
        <source>No radio answered. Connect the radio, switch it on and try again.</source>
        <translation>Kein Funkgerät hat geantwortet. Schließen Sie das Funkgerät an, schalten Sie es ein und versuchen Sie es erneut.</translation>
    </message>
    <message id="IDS_9852">
        <source>There is no backup of radio %1 in %2.</source>
        <translation>Es gibt keine Sicherung des Funkgeräts %1 in %2.</translation>
    </message>
    <message id="IDS_9853">
        <source>The backup %1 cannot be read: %2</source>
        <translation>Die Sicherung %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message id="IDS_9855">
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message id="IDS_9856">
        <source>it holds %1 bytes; a codeplug image holds %2.</source>
        <translation>sie enthält %1 Bytes; ein Codeplug-Abbild enthält %2.</translation>
    </message>
    <message id="IDS_9880">
        <source>The e-mail program %1 could not start a message (exit status %2): no e-mail was sent.
Do you want to save the report with Save As instead?</source>
        <translation>Das E-Mail-Programm %1 konnte keine Nachricht anlegen (Exit-Status %2): Es wurde keine E-Mail gesendet.
Möchten Sie den Bericht stattdessen mit „Speichern unter“ sichern?</translation>
    </message>
    <message id="IDS_9881">
        <source>The report picture %1 cannot be loaded.</source>
        <translation>Das Berichtsbild %1 kann nicht geladen werden.</translation>
    </message>
    <message id="IDS_9900">
        <source>Trace Files</source>
        <translation>Protokolldateien</translation>
    </message>
    <message id="IDS_9901">
        <source>Serial Trace File</source>
        <translation>Protokolldatei der seriellen Übertragung</translation>
    </message>
    <message id="IDS_9902">
        <source>&amp;Browse...</source>
        <translation>&amp;Durchsuchen...</translation>
    </message>
    <message id="IDS_9920">
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message id="IDS_9921">
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message id="IDS_9922">
        <source>&amp;Undo %1</source>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
    <message id="IDS_9923">
        <source>&amp;Redo %1</source>
        <translation>&amp;Wiederholen: %1</translation>
    </message>
    <message id="IDS_9924">
        <source>Change Setting</source>
        <translation>Einstellung ändern</translation>
    </message>
    <message id="IDS_9925">
        <source>Rename Channel</source>
        <translation>Kanal umbenennen</translation>
    </message>
    <message id="IDS_9926">
        <source>Change Channel</source>
        <translation>Kanal ändern</translation>
    </message>
    <message id="IDS_9927">
        <source>Add Channel</source>
        <translation>Kanal hinzufügen</translation>
    </message>
    <message id="IDS_9928">
        <source>Delete Channel</source>
        <translation>Kanal löschen</translation>
    </message>
    <message id="IDS_9929">
        <source>Add Frequency</source>
        <translation>Frequenz hinzufügen</translation>
    </message>
    <message id="IDS_9930">
        <source>Change Frequency</source>
        <translation>Frequenz ändern</translation>
    </message>
    <message id="IDS_9931">
        <source>Delete Frequency</source>
        <translation>Frequenz löschen</translation>
    </message>
    <message id="IDS_9932">
        <source>Change Button</source>
        <translation>Taste ändern</translation>
    </message>
    <message id="IDS_9933">
        <source>Reset Buttons</source>
        <translation>Tasten zurücksetzen</translation>
    </message>
    <message id="IDS_9934">
        <source>Change Scan List</source>
        <translation>Suchliste ändern</translation>
    </message>
    <message id="IDS_9935">
        <source>Import CHIRP CSV</source>
        <translation>CHIRP-CSV importieren</translation>
    </message>
    <message id="IDS_9936">
        <source>Change Customised Tone</source>
        <translation>Eigenen Ton ändern</translation>
    </message>
    <message id="IDS_9937">
        <source>Change Audio Setting</source>
        <translation>Audioeinstellung ändern</translation>
    </message>
    <message id="IDS_9960">
        <source>Do you want to run Factory Reset on the radio now?</source>
        <translation>Möchten Sie das Funkgerät jetzt auf Werkseinstellungen zurücksetzen?</translation>
    </message>
    <message id="IDS_9961">
        <source>Reset Succeeded!</source>
        <translation>Zurücksetzen erfolgreich!</translation>
    </message>
    <message id="IDS_9962">
        <source>Saving the radio's backup…</source>
        <translation>Sicherung des Funkgeräts wird gespeichert…</translation>
    </message>
    <message id="IDS_9963">
        <source>Writing…</source>
        <translation>Schreiben…</translation>
    </message>
    <message id="IDS_9964">
        <source>Verifying…</source>
        <translation>Überprüfen…</translation>
    </message>
    <message id="IDS_9965">
        <source>The repeater station ID is invalid. It can hold at most 9 characters: the letters A-Z and a-z, the digits 0-9 and &quot;/&quot;.</source>
        <translation>Die Relaiskennung ist ungültig. Sie darf höchstens 9 Zeichen lang sein: die Buchstaben A-Z und a-z, die Ziffern 0-9 und &quot;/&quot;.</translation>
    </message>
    <message id="IDS_9966">
        <source>The Tx hangtime is out of the valid range: 0 to 30 seconds.</source>
        <translation>Die Sendenachlaufzeit liegt außerhalb des gültigen Bereichs: 0 bis 30 Sekunden.</translation>
    </message>
    <message id="IDS_9967">
        <source>The Tx low battery time is out of the valid range: 0 to 120 seconds.</source>
        <translation>Die Sendezeit bei schwacher Batterie liegt außerhalb des gültigen Bereichs: 0 bis 120 Sekunden.</translation>
    </message>
    <message id="IDS_9968">
        <source>%1   %2, %3-%4 MHz, %5 channels</source>
        <translation>%1   %2, %3-%4 MHz, %5 Kanäle</translation>
    </message>
    <message id="IDS_10000">
        <source>%1: %2 → %3</source>
        <translation>%1: %2 → %3</translation>
    </message>
    <message id="IDS_10001">
        <source>Channel %1 %2</source>
        <translation>Kanal %1 %2</translation>
    </message>
    <message id="IDS_10002">
        <source>Frequency %1: %2 → %3 MHz</source>
        <translation>Frequenz %1: %2 → %3 MHz</translation>
    </message>
    <message id="IDS_10003">
        <source>Frequency %1 %2</source>
        <translation>Frequenz %1 %2</translation>
    </message>
    <message id="IDS_10004">
        <source>Customized tone %1</source>
        <translation>Angepasster Ton %1</translation>
    </message>
    <message id="IDS_10005">
        <source>Channel %1 added: %2</source>
        <translation>Kanal %1 hinzugefügt: %2</translation>
    </message>
    <message id="IDS_10006">
        <source>Channel %1 removed: %2</source>
        <translation>Kanal %1 entfernt: %2</translation>
    </message>
    <message id="IDS_10007">
        <source>Frequency %1 added: %2 MHz</source>
        <translation>Frequenz %1 hinzugefügt: %2 MHz</translation>
    </message>
    <message id="IDS_10008">
        <source>Frequency %1 removed: %2 MHz</source>
        <translation>Frequenz %1 entfernt: %2 MHz</translation>
    </message>
    <message id="IDS_10009">
        <source>name</source>
        <translation>Name</translation>
    </message>
    <message id="IDS_10010">
        <source>receive frequency</source>
        <translation>Empfangsfrequenz</translation>
    </message>
    <message id="IDS_10011">
        <source>receive tone</source>
        <translation>Empfangston</translation>
    </message>
    <message id="IDS_10012">
        <source>transmit frequency</source>
        <translation>Sendefrequenz</translation>
    </message>
    <message id="IDS_10013">
        <source>transmit tone</source>
        <translation>Sendeton</translation>
    </message>
    <message id="IDS_10014">
        <source>receive bandwidth</source>
        <translation>Empfangsbandbreite</translation>
    </message>
    <message id="IDS_10015">
        <source>transmit bandwidth</source>
        <translation>Sendebandbreite</translation>
    </message>
    <message id="IDS_10016">
        <source>talkaround power</source>
        <translation>Talkaround-Leistung</translation>
    </message>
    <message id="IDS_10017">
        <source>repeater power</source>
        <translation>Repeater-Leistung</translation>
    </message>
    <message id="IDS_10018">
        <source>repeater</source>
        <translation>Repeater</translation>
    </message>
    <message id="IDS_10019">
        <source>auto scan</source>
        <translation>automatischer Suchlauf</translation>
    </message>
    <message id="IDS_10020">
        <source>scramble</source>
        <translation>Verschlüsselung</translation>
    </message>
    <message id="IDS_10021">
        <source>in the scan list</source>
        <translation>in der Suchliste</translation>
    </message>
    <message id="IDS_10022">
        <source>bandwidth</source>
        <translation>Bandbreite</translation>
    </message>
    <message id="IDS_10023">
        <source>power</source>
        <translation>Leistung</translation>
    </message>
    <message id="IDS_10024">
        <source>compander</source>
        <translation>Kompander</translation>
    </message>
    <message id="IDS_10025">
        <source>Codeplug password</source>
        <translation>Codeplug-Passwort</translation>
    </message>
    <message id="IDS_10026">
        <source>Disable all LEDs</source>
        <translation>Alle LEDs deaktivieren</translation>
    </message>
    <message id="IDS_10027">
        <source>Disable restore factory default</source>
        <translation>Werkseinstellungen wiederherstellen deaktivieren</translation>
    </message>
    <message id="IDS_10028">
        <source>Backlight</source>
        <translation>Hintergrundbeleuchtung</translation>
    </message>
    <message id="IDS_10029">
        <source>Transmit time-out timer</source>
        <translation>Sendezeitbegrenzung</translation>
    </message>
    <message id="IDS_10030">
        <source>CT reverse burst</source>
        <translation>CT-Reverse-Burst</translation>
    </message>
    <message id="IDS_10031">
        <source>VOX level</source>
        <translation>VOX-Pegel</translation>
    </message>
    <message id="IDS_10032">
        <source>iVOX level</source>
        <translation>iVOX-Pegel</translation>
    </message>
    <message id="IDS_10033">
        <source>Microphone gain</source>
        <translation>Mikrofonverstärkung</translation>
    </message>
    <message id="IDS_10034">
        <source>Accessory microphone gain</source>
        <translation>Verstärkung des Zubehörmikrofons</translation>
    </message>
    <message id="IDS_10035">
        <source>Battery type</source>
        <translation>Batterietyp</translation>
    </message>
    <message id="IDS_10036">
        <source>Disable battery save</source>
        <translation>Batteriesparmodus deaktivieren</translation>
    </message>
    <message id="IDS_10037">
        <source>Channels in use</source>
        <translation>Benutzte Kanäle</translation>
    </message>
    <message id="IDS_10038">
        <source>Power-up text</source>
        <translation>Einschalttext</translation>
    </message>
    <message id="IDS_10039">
        <source>Roger beep tone</source>
        <translation>Roger-Piepton</translation>
    </message>
    <message id="IDS_10040">
        <source>Disable selectable scramble</source>
        <translation>Wählbare Verschlüsselung deaktivieren</translation>
    </message>
    <message id="IDS_10041">
        <source>Backlight time-out</source>
        <translation>Beleuchtungsdauer</translation>
    </message>
    <message id="IDS_10042">
        <source>Call tone</source>
        <translation>Rufton</translation>
    </message>
    <message id="IDS_10043">
        <source>Keypad lock</source>
        <translation>Tastensperre</translation>
    </message>
    <message id="IDS_10044">
        <source>Keypad beep</source>
        <translation>Tastenton</translation>
    </message>
    <message id="IDS_10045">
        <source>Show the c&amp;hanges before each write</source>
        <translation>Ä&amp;nderungen vor jedem Schreiben zeigen</translation>
    </message>
    <message id="IDS_10046">
        <source>Changes to the Radio</source>
        <translation>Änderungen am Funkgerät</translation>
    </message>
    <message id="IDS_10047">
        <source>The write will change %1 fields of the radio %2:</source>
        <translation>Das Schreiben ändert %1 Felder des Funkgeräts %2:</translation>
    </message>
    <message id="IDS_10048">
        <source>No changes: the radio already holds this profile.</source>
        <translation>Keine Änderungen: Das Funkgerät enthält dieses Profil bereits.</translation>
    </message>
    <message id="IDS_10049">
        <source>Skip the write?</source>
        <translation>Das Schreiben überspringen?</translation>
    </message>
    <message id="IDS_10050">
        <source>Program &amp;Several Radios...</source>
        <translation>&amp;Mehrere Funkgeräte programmieren...</translation>
    </message>
    <message id="IDS_10051">
        <source>Program Several Radios</source>
        <translation>Mehrere Funkgeräte programmieren</translation>
    </message>
    <message id="IDS_10052">
        <source>Written and verified</source>
        <translation>Geschrieben und geprüft</translation>
    </message>
    <message id="IDS_10053">
        <source>Written: %1, failed: %2, elapsed %3, %4 radios per hour</source>
        <translation>Geschrieben: %1, fehlgeschlagen: %2, vergangen %3, %4 Funkgeräte pro Stunde</translation>
    </message>
    <message id="IDS_10054">
        <source>Stopped before the write: nothing was written to this radio.</source>
        <translation>Vor dem Schreiben angehalten: In dieses Funkgerät wurde nichts geschrieben.</translation>
    </message>
    <message id="IDS_10055">
        <source>Waiting for a radio on %1...</source>
        <translation>Warten auf ein Funkgerät an %1...</translation>
    </message>
    <message id="IDS_10056">
        <source>Radio %1 is done: unplug it and connect the next one.</source>
        <translation>Funkgerät %1 ist fertig: Trennen Sie es und schließen Sie das nächste an.</translation>
    </message>
    <message id="IDS_10057">
        <source>Radio %1: %2</source>
        <translation>Funkgerät %1: %2</translation>
    </message>
    <message id="IDS_10058">
        <source>Stopping after the current radio...</source>
        <translation>Anhalten nach dem aktuellen Funkgerät...</translation>
    </message>
    <message id="IDS_10059">
        <source>Stopped. Press Start to go on.</source>
        <translation>Angehalten. Mit Start geht es weiter.</translation>
    </message>
    <message id="IDS_10060">
        <source>&amp;Apply this answer to every radio in this run</source>
        <translation>Diese &amp;Antwort für jedes Funkgerät dieses Durchgangs verwenden</translation>
    </message>
    <message id="IDS_10061">
        <source>No.</source>
        <translation>Nr.</translation>
    </message>
    <message id="IDS_10062">
        <source>Serial number</source>
        <translation>Seriennummer</translation>
    </message>
    <message id="IDS_10063">
        <source>Model</source>
        <translation>Modell</translation>
    </message>
    <message id="IDS_10064">
        <source>Firmware</source>
        <translation>Firmware</translation>
    </message>
    <message id="IDS_10065">
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message id="IDS_10066">
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message id="IDS_10067">
        <source>Backup</source>
        <translation>Sicherung</translation>
    </message>
    <message id="IDS_10068">
        <source>&amp;Start</source>
        <translation>&amp;Start</translation>
    </message>
    <message id="IDS_10069">
        <source>S&amp;top</source>
        <translation>S&amp;topp</translation>
    </message>
    <message id="IDS_10070">
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
    <message id="IDS_10071">
        <source>Log of the Radios Written</source>
        <translation>Protokoll der geschriebenen Funkgeräte</translation>
    </message>
    <message id="IDS_10072">
        <source>Each radio connected is written with the profile %1 and verified. Log: %2</source>
        <translation>Jedes angeschlossene Funkgerät wird mit dem Profil %1 beschrieben und geprüft. Protokoll: %2</translation>
    </message>
    <message id="IDS_10073">
        <source>&amp;Radios:</source>
        <translation>&amp;Funkgeräte:</translation>
    </message>
    <message id="IDS_10074">
        <source>Connect the first radio and press Start.</source>
        <translation>Schließen Sie das erste Funkgerät an und drücken Sie Start.</translation>
    </message>
    <message id="IDS_10080">
        <source>The profile was not saved.
%1</source>
        <translation>Das Profil wurde nicht gespeichert.
%1</translation>
    </message>
    <message id="IDS_10081">
        <source>the profile holds characters that its character set (%1) cannot store.</source>
        <translation>das Profil enthält Zeichen, die sein Zeichensatz (%1) nicht speichern kann.</translation>
    </message>
    <message id="IDS_10100">
        <source>Channel %1: %2 MHz is outside this radio's range (%3). Nothing was written.</source>
        <translation>Kanal %1: %2 MHz liegt außerhalb des Bereichs dieses Funkgeräts (%3). Es wurde nichts geschrieben.</translation>
    </message>
    <message id="IDS_10101">
        <source>Frequency %1 (%2 MHz) cannot be held by this radio's synthesizer (base %3). Nothing was written.</source>
        <translation>Frequenz %1 (%2 MHz) kann vom Synthesizer dieses Funkgeräts (Basis %3) nicht gehalten werden. Es wurde nichts geschrieben.</translation>
    </message>
    <message id="IDS_10102">
        <source>%1: %2 cannot be held by this radio (codes up to %3): written as %4</source>
        <translation>%1: %2 kann dieses Funkgerät nicht halten (Codes bis %3): geschrieben als %4</translation>
    </message>
    <message id="IDS_10103">
        <source>Customized tones 124-129: this radio has none (codes up to %1); they are not written.</source>
        <translation>Benutzerdefinierte Töne 124-129: Dieses Funkgerät hat keine (Codes bis %1); sie werden nicht geschrieben.</translation>
    </message>
    <message id="IDS_10104">
        <source>This radio cannot hold every code of the profile:
%1

Do you want to continue?</source>
        <translation>Dieses Funkgerät kann nicht jeden Code des Profils halten:
%1

Möchten Sie fortfahren?</translation>
    </message>
    <message id="IDS_10105">
        <source>frequency %1 (%2 MHz written, the radio uses %3 MHz)</source>
        <translation>Frequenz %1 (%2 MHz geschrieben, das Funkgerät verwendet %3 MHz)</translation>
    </message>
    <message id="IDS_10106">
        <source>transmit %1, receive %2</source>
        <translation>Senden %1, Empfang %2</translation>
    </message>
    <message id="IDS_10107">
        <source>this channel transmits with its receive settings: %1 became %2 both ways.</source>
        <translation>Dieser Kanal sendet mit seinen Empfangseinstellungen: %1 wurde in beide Richtungen zu %2.</translation>
    </message>
    <message id="IDS_10109">
        <source>%1 (not in the list)</source>
        <translation>%1 (nicht in der Liste)</translation>
    </message>
    <message id="IDS_10110">
        <source>Enable programming mode</source>
        <translation>Programmiermodus aktivieren</translation>
    </message>
    <message id="IDS_10111">
        <source>The profile uses %1 channels; this radio has %2. Nothing was written.</source>
        <translation>Das Profil verwendet %1 Kanäle; dieses Funkgerät hat %2. Es wurde nichts geschrieben.</translation>
    </message>
    <message id="IDS_10112">
        <source>A channel name can hold only the letters A-Z and a-z, the digits 0-9, spaces and the signs - _ . / + * # ( ) ! (no accented letters). Please specify a different name.</source>
        <translation>Ein Kanalname darf nur die Buchstaben A-Z und a-z, die Ziffern 0-9, Leerzeichen und die Zeichen - _ . / + * # ( ) ! enthalten (keine Buchstaben mit Akzent). Bitte geben Sie einen anderen Namen an.</translation>
    </message>
    <message id="IDS_10150">
        <source>The cable returned a request otherwise than it was sent (line noise or a faulty cable).</source>
        <translation>Das Kabel hat eine Anfrage anders zurückgegeben, als sie gesendet wurde (Störungen auf der Leitung oder ein defektes Kabel).</translation>
    </message>
    <message id="IDS_10151">
        <source>The profile holds a value no radio can take: %1 %2=&quot;%3&quot; is outside its range %4.</source>
        <translation>Das Profil enthält einen Wert, den kein Funkgerät aufnehmen kann: %1 %2=&quot;%3&quot; liegt außerhalb seines Bereichs %4.</translation>
    </message>
    <message id="IDS_10152">
        <source>The profile holds a value no radio can take: %1 %2=&quot;%3&quot; points into a table that has no entries.</source>
        <translation>Das Profil enthält einen Wert, den kein Funkgerät aufnehmen kann: %1 %2=&quot;%3&quot; verweist in eine Tabelle ohne Einträge.</translation>
    </message>
    <message id="IDS_10153">
        <source>The cable state cannot be shared with your other running copies of this program: no folder that only you can reach was found (%1 belongs to another user, is a link or is open to others). This copy watches the cable by itself.</source>
        <translation>Der Kabelzustand kann nicht mit Ihren anderen laufenden Kopien dieses Programms geteilt werden: Es wurde kein Ordner gefunden, den nur Sie erreichen können (%1 gehört einem anderen Benutzer, ist eine Verknüpfung oder für andere offen). Diese Kopie überwacht das Kabel allein.</translation>
    </message>
    <message id="IDS_10154">
        <source>The cable map %1 is not yours alone (another owner, a link or open to others) and was not used. This copy of the program watches the cable by itself.</source>
        <translation>Die Kabeltabelle %1 gehört nicht Ihnen allein (anderer Eigentümer, eine Verknüpfung oder für andere offen) und wurde nicht verwendet. Diese Kopie des Programms überwacht das Kabel allein.</translation>
    </message>
    <message id="IDS_10155">
        <source>Files opened while this program runs will start another copy of it: no folder that only you can reach was found for handing them over (%1 belongs to another user, is a link or is open to others).</source>
        <translation>Dateien, die geöffnet werden, während dieses Programm läuft, starten eine weitere Kopie davon: Für die Übergabe wurde kein Ordner gefunden, den nur Sie erreichen können (%1 gehört einem anderen Benutzer, ist eine Verknüpfung oder für andere offen).</translation>
    </message>
    <message id="IDS_10156">
        <source>This image was read from another radio (serial number %1); the radio connected is %2. Write it to this radio anyway?</source>
        <translation>Dieses Abbild wurde aus einem anderen Funkgerät gelesen (Seriennummer %1); das angeschlossene Funkgerät ist %2. Trotzdem in dieses Funkgerät schreiben?</translation>
    </message>
    <message id="IDS_10157">
        <source>of unknown serial number</source>
        <translation>von unbekannter Seriennummer</translation>
    </message>
    <message id="IDS_10158">
        <source>The radio now holds the new codeplug, but it could not be read back: the write is unverified.</source>
        <translation>Das Funkgerät enthält jetzt den neuen Codeplug, konnte aber nicht zurückgelesen werden: Das Schreiben ist nicht überprüft.</translation>
    </message>
    <message id="IDS_10200">
        <source>%1 has been changed on disk since this profile was opened or last saved (another program or another copy of this one saved it).

Yes: overwrite it with this profile (the other changes are lost).
No: save this profile as another file.
Cancel: do not save.</source>
        <translation>%1 wurde seit dem Öffnen oder letzten Speichern dieses Profils auf dem Datenträger geändert (ein anderes Programm oder eine andere Kopie dieses Programms hat die Datei gespeichert).

Ja: die Datei mit diesem Profil überschreiben (die anderen Änderungen gehen verloren).
Nein: dieses Profil als andere Datei speichern.
Abbrechen: nicht speichern.</translation>
    </message>
    <message id="IDS_10201">
        <source>tavocps: no display was found (DISPLAY and WAYLAND_DISPLAY are not set, or name a display that does not answer), so the program cannot open its window. Start it in a desktop session; tavocps-cli works without a display.</source>
        <translation>tavocps: Es wurde keine Anzeige gefunden (DISPLAY und WAYLAND_DISPLAY sind nicht gesetzt oder nennen eine Anzeige, die nicht antwortet), daher kann das Programm sein Fenster nicht öffnen. Starten Sie es in einer Desktop-Sitzung; tavocps-cli funktioniert ohne Anzeige.</translation>
    </message>
    <message id="IDS_10202">
        <source>Reset done: the radio has restarted.</source>
        <translation>Zurücksetzen ausgeführt: Das Funkgerät wurde neu gestartet.</translation>
    </message>
    <message id="IDS_10203">
        <source>Factory Reset done: the radio has been set back to its factory settings and has restarted.</source>
        <translation>Werkseinstellungen wiederhergestellt: Das Funkgerät wurde auf seine Werkseinstellungen zurückgesetzt und neu gestartet.</translation>
    </message>
    <message id="IDS_10204">
        <source>Profile%1</source>
        <translation>Profil%1</translation>
    </message>
    <message id="IDS_10205">
        <source>Check that the radio is switched on and that the programming cable is plugged into the radio and the computer.</source>
        <translation>Prüfen Sie, ob das Funkgerät eingeschaltet ist und das Programmierkabel mit dem Funkgerät und dem Computer verbunden ist.</translation>
    </message>
    <message id="IDS_10206">
        <source>The write will change 1 field of the radio %2:</source>
        <translation>Das Schreiben ändert 1 Feld des Funkgeräts %2:</translation>
    </message>
    <message id="IDS_10250">
        <source>unknown command %1</source>
        <translation>unbekannter Befehl %1</translation>
    </message>
    <message id="IDS_10251">
        <source>wrong number of arguments</source>
        <translation>falsche Anzahl von Argumenten</translation>
    </message>
    <message id="IDS_10252">
        <source>the option %1 does not belong to the command %2</source>
        <translation>die Option %1 gehört nicht zum Befehl %2</translation>
    </message>
    <message id="IDS_10253">
        <source>the option %1 needs a value</source>
        <translation>die Option %1 braucht einen Wert</translation>
    </message>
    <message id="IDS_10254">
        <source>the option %1 takes no value</source>
        <translation>die Option %1 nimmt keinen Wert</translation>
    </message>
    <message id="IDS_10255">
        <source>no command given</source>
        <translation>kein Befehl angegeben</translation>
    </message>
    <message id="IDS_10256">
        <source>the options %1 and %2 exclude each other</source>
        <translation>die Optionen %1 und %2 schließen einander aus</translation>
    </message>
    <message id="IDS_10257">
        <source>unknown option %1</source>
        <translation>unbekannte Option %1</translation>
    </message>
    <message id="IDS_10258">
        <source>it is larger than %1 bytes</source>
        <translation>sie ist größer als %1 Bytes</translation>
    </message>
    <message id="IDS_10259">
        <source>Cannot open %1: %2</source>
        <translation>%1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message id="IDS_10260">
        <source>Cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message id="IDS_10261">
        <source>Cannot read the standard input: %1</source>
        <translation>Die Standardeingabe kann nicht gelesen werden: %1</translation>
    </message>
    <message id="IDS_10262">
        <source>Cannot write to the standard output: %1</source>
        <translation>In die Standardausgabe kann nicht geschrieben werden: %1</translation>
    </message>
    <message id="IDS_10263">
        <source>%1 is not a codeplug image: it holds %2 bytes, an image holds %3.</source>
        <translation>%1 ist kein Codeplug-Abbild: es enthält %2 Bytes, ein Abbild enthält %3.</translation>
    </message>
    <message id="IDS_10264">
        <source>%1 is not a codeplug image: it is longer than %2 bytes.</source>
        <translation>%1 ist kein Codeplug-Abbild: es ist länger als %2 Bytes.</translation>
    </message>
    <message id="IDS_10265">
        <source>The profile %1 was not loaded.</source>
        <translation>Das Profil %1 wurde nicht geladen.</translation>
    </message>
    <message id="IDS_10266">
        <source>Cannot open the profile %1: %2</source>
        <translation>Das Profil %1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message id="IDS_10267">
        <source>%1 is not a profile: %2 (a profile is a few kilobytes).</source>
        <translation>%1 ist kein Profil: %2 (ein Profil hat wenige Kilobytes).</translation>
    </message>
    <message id="IDS_10268">
        <source>Cannot read the profile %1: %2</source>
        <translation>Das Profil %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message id="IDS_10269">
        <source>%1: valid</source>
        <translation>%1: gültig</translation>
    </message>
    <message id="IDS_10270">
        <source>No element %1 in the profile.</source>
        <translation>Kein Element %1 im Profil.</translation>
    </message>
    <message id="IDS_10271">
        <source>No attribute %1 on the element %2.</source>
        <translation>Kein Attribut %1 am Element %2.</translation>
    </message>
    <message id="IDS_10272">
        <source>The element %1 takes no new children.</source>
        <translation>Das Element %1 nimmt keine neuen Unterelemente auf.</translation>
    </message>
    <message id="IDS_10273">
        <source>The rules allow no further child under %1: it holds %2, as many as this radio takes.</source>
        <translation>Die Regeln erlauben unter %1 kein weiteres Unterelement: es enthält %2, so viele, wie dieses Funkgerät aufnimmt.</translation>
    </message>
    <message id="IDS_10274">
        <source>The rules added no child under %1.</source>
        <translation>Die Regeln haben unter %1 kein Unterelement hinzugefügt.</translation>
    </message>
    <message id="IDS_10275">
        <source>No child %1 under %2: it has %3 (counted from 0).</source>
        <translation>Kein Unterelement %1 unter %2: es hat %3 (ab 0 gezählt).</translation>
    </message>
    <message id="IDS_10276">
        <source>INDEX must be a number</source>
        <translation>INDEX muss eine Zahl sein</translation>
    </message>
    <message id="IDS_10277">
        <source>read needs --image OUT or --profile OUT.kp2</source>
        <translation>read braucht --image OUT oder --profile OUT.kp2</translation>
    </message>
    <message id="IDS_10278">
        <source>the option %1 needs %2</source>
        <translation>die Option %1 braucht %2</translation>
    </message>
    <message id="IDS_10279">
        <source>write --image IMG takes no PROFILE and no --batch</source>
        <translation>write --image IMG nimmt kein PROFILE, --password, --verify, --batch oder --dry-run</translation>
    </message>
    <message id="IDS_10280">
        <source>write needs PROFILE or --image IMG</source>
        <translation>write braucht PROFILE oder --image IMG</translation>
    </message>
    <message id="IDS_10281">
        <source>--dry-run writes nothing: no --batch or --verify with it</source>
        <translation>--dry-run schreibt nichts: kein --batch oder --verify dazu</translation>
    </message>
    <message id="IDS_10282">
        <source>The profile read from the radio was not loaded.</source>
        <translation>Das vom Funkgerät gelesene Profil wurde nicht geladen.</translation>
    </message>
    <message id="IDS_10283">
        <source>only one of the files can be - (the standard input)</source>
        <translation>nur eine der Dateien kann - (die Standardeingabe) sein</translation>
    </message>
    <message id="IDS_10284">
        <source>the report is handout or detailed, not %1</source>
        <translation>der Bericht ist handout oder detailed, nicht %1</translation>
    </message>
    <message id="IDS_10285">
        <source>name the report's form with --format htm or --format pdf</source>
        <translation>nennen Sie die Form des Berichts mit --format htm oder --format pdf</translation>
    </message>
    <message id="IDS_10286">
        <source>The profile %1 was saved.</source>
        <translation>Das Profil %1 wurde gespeichert.</translation>
    </message>
    <message id="IDS_10287">
        <source>it is a symbolic link that another user made in a shared folder; it is not followed.</source>
        <translation>es ist ein symbolischer Link, den ein anderer Benutzer in einem gemeinsamen Ordner angelegt hat; ihm wird nicht gefolgt.</translation>
    </message>
    <message id="IDS_10288">
        <source>Rows left out because their locations lie beyond the radio's %1 channels: %2 (locations %3 to %4).</source>
        <translation>Zeilen ausgelassen, weil ihre Speicherplätze jenseits der %1 Kanäle des Funkgeräts liegen: %2 (Speicherplätze %3 bis %4).</translation>
    </message>
    <message id="IDS_10289">
        <source>To fill the channels one after another in file order, import with --in-file-order.</source>
        <translation>Um die Kanäle der Reihe nach in Dateireihenfolge zu füllen, importieren Sie mit --in-file-order.</translation>
    </message>
    <message id="IDS_10290">
        <source>Import the file again, filling the channels in file order?</source>
        <translation>Die Datei erneut importieren und die Kanäle in Dateireihenfolge füllen?</translation>
    </message>
    <message id="IDS_10291">
        <source>The tone mode &quot;%1&quot; (CHIRP's reverse mode) is not supported by this radio.</source>
        <translation>Die Tonart &quot;%1&quot; (die Umkehrart von CHIRP) wird von diesem Funkgerät nicht unterstützt.</translation>
    </message>
    <message id="IDS_10292">
        <source>The DCS code %1 is not one of this radio's codes.</source>
        <translation>Der DCS-Code %1 ist keiner der Codes dieses Funkgeräts.</translation>
    </message>
    <message id="IDS_10293">
        <source>DCS %1 with inverted polarity (R in DtcsPolarity): this radio has no inverted codes.</source>
        <translation>DCS %1 mit invertierter Polarität (R in DtcsPolarity): dieses Funkgerät hat keine invertierten Codes.</translation>
    </message>
    <message id="IDS_10294">
        <source>Duplex &quot;%1&quot; needs the frequency offset in the Offset column, which is empty.</source>
        <translation>Duplex &quot;%1&quot; braucht den Frequenzversatz in der Spalte Offset, die leer ist.</translation>
    </message>
    <message id="IDS_10295">
        <source>not a PMR446 channel.</source>
        <translation>kein PMR446-Kanal.</translation>
    </message>
    <message id="IDS_10296">
        <source>This is not a CHIRP CSV file: its first line reads &quot;%1&quot;; a CHIRP file names its columns Location, Name, Frequency and so on, with capitals, separated by commas.</source>
        <translation>Dies ist keine CHIRP-CSV-Datei: ihre erste Zeile lautet &quot;%1&quot;; eine CHIRP-Datei nennt ihre Spalten Location, Name, Frequency und so weiter, mit Großbuchstaben, durch Kommas getrennt.</translation>
    </message>
    <message id="IDS_10297">
        <source>Location %1 was given already on line %2: this row replaced it.</source>
        <translation>Der Speicherplatz %1 wurde schon in Zeile %2 angegeben: diese Zeile hat ihn ersetzt.</translation>
    </message>
    <message id="IDS_10298">
        <source>The name &quot;%1&quot; was cut to &quot;%2&quot; (8 characters).</source>
        <translation>Der Name &quot;%1&quot; wurde auf &quot;%2&quot; gekürzt (8 Zeichen).</translation>
    </message>
    <message id="IDS_10299">
        <source>Channel %1 (%2): a CHIRP row holds one mode, so it is written as %3 and its transmit bandwidth of %4 kHz is not kept.</source>
        <translation>Kanal %1 (%2): eine CHIRP-Zeile hat nur eine Betriebsart, daher wird er als %3 geschrieben und seine Sendebandbreite von %4 kHz geht verloren.</translation>
    </message>
    <message id="IDS_10300">
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
    <message id="IDS_10301">
        <source>&amp;Paper:</source>
        <translation>&amp;Papier:</translation>
    </message>
    <message id="IDS_10302">
        <source>A4</source>
        <translation>A4</translation>
    </message>
    <message id="IDS_10303">
        <source>Letter</source>
        <translation>Letter</translation>
    </message>
    <message id="IDS_10304">
        <source>E-mail needs the program xdg-email, which is not installed. Install the package xdg-utils and try again.</source>
        <translation>Für E-Mails wird das Programm xdg-email benötigt, das nicht installiert ist. Installieren Sie das Paket xdg-utils und versuchen Sie es erneut.</translation>
    </message>
    <message id="IDS_10305">
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message id="IDS_10306">
        <source>Alkaline Batteries</source>
        <translation>Alkaline-Batterien</translation>
    </message>
    <message id="IDS_10400">
        <source>serial unknown (port %1, %2)</source>
        <translation>Seriennummer unbekannt (Anschluss %1, %2)</translation>
    </message>
    <message id="IDS_10401">
        <source>Connect it again to write it once more; should the same difference come back, write back its previous image and have the radio checked.</source>
        <translation>Schließen Sie es erneut an, um es noch einmal zu schreiben; tritt derselbe Unterschied wieder auf, schreiben Sie sein vorheriges Abbild zurück und lassen Sie das Funkgerät prüfen.</translation>
    </message>
    <message id="IDS_10402">
        <source>Connect it again: it is written and verified once more.</source>
        <translation>Schließen Sie es erneut an: Es wird noch einmal geschrieben und geprüft.</translation>
    </message>
    <message id="IDS_10403">
        <source>Stopped before the write: the radio's password was not entered, so nothing was written to it. Connect it again and enter its password, or set it aside.</source>
        <translation>Vor dem Schreiben angehalten: Das Kennwort des Funkgeräts wurde nicht eingegeben, daher wurde nichts darauf geschrieben. Schließen Sie es erneut an und geben Sie sein Kennwort ein, oder legen Sie es beiseite.</translation>
    </message>
    <message id="IDS_10404">
        <source>Stopped before the write: the question &quot;%1&quot; was answered %2, so nothing was written to this radio. Connect it again and answer Yes to write it.</source>
        <translation>Vor dem Schreiben angehalten: Die Frage „%1“ wurde mit %2 beantwortet, daher wurde nichts auf dieses Funkgerät geschrieben. Schließen Sie es erneut an und antworten Sie mit Ja, um es zu schreiben.</translation>
    </message>
    <message id="IDS_10405">
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message id="IDS_10406">
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message id="IDS_10407">
        <source>Wrong band: this radio (%1) works in another frequency band than the radios of the profile, so nothing was written to it. Write it with a profile made for its band.</source>
        <translation>Falsches Frequenzband: Dieses Funkgerät (%1) arbeitet in einem anderen Frequenzband als die Funkgeräte des Profils, daher wurde nichts darauf geschrieben. Schreiben Sie es mit einem Profil für sein Band.</translation>
    </message>
    <message id="IDS_10408">
        <source>It refused the first block, so its memory is unchanged. Set it aside and check whether it is locked against programming.</source>
        <translation>Es hat den ersten Block abgelehnt, sein Speicher ist also unverändert. Legen Sie es beiseite und prüfen Sie, ob es gegen Programmierung gesperrt ist.</translation>
    </message>
    <message id="IDS_10409">
        <source>Nothing was written to this radio. Check that it is switched on and firmly connected, then connect it again.</source>
        <translation>Auf dieses Funkgerät wurde nichts geschrieben. Prüfen Sie, ob es eingeschaltet und fest angeschlossen ist, und schließen Sie es dann erneut an.</translation>
    </message>
    <message id="IDS_10410">
        <source>The radio %1 was already written in this run (radio %2): unplug it and connect the next one.</source>
        <translation>Das Funkgerät %1 wurde in diesem Durchgang bereits geschrieben (Funkgerät %2): Trennen Sie es und schließen Sie das nächste an.</translation>
    </message>
    <message id="IDS_10411">
        <source>CSV logs</source>
        <translation>CSV-Protokolle</translation>
    </message>
    <message id="IDS_10412">
        <source>Password of the radio %1 on %2</source>
        <translation>Kennwort des Funkgeräts %1 an %2</translation>
    </message>
    <message id="IDS_10413">
        <source>Port</source>
        <translation>Anschluss</translation>
    </message>
    <message id="IDS_10414">
        <source>Waiting for a radio</source>
        <translation>Warten auf ein Funkgerät</translation>
    </message>
    <message id="IDS_10415">
        <source>Done: %1</source>
        <translation>Fertig: %1</translation>
    </message>
    <message id="IDS_10416">
        <source>Failed: %1</source>
        <translation>Fehlgeschlagen: %1</translation>
    </message>
    <message id="IDS_10417">
        <source>Stopped</source>
        <translation>Angehalten</translation>
    </message>
    <message id="IDS_10418">
        <source>Unplug it and connect the next one.</source>
        <translation>Trennen Sie es und schließen Sie das nächste an.</translation>
    </message>
    <message id="IDS_10419">
        <source>The profile %1 has changes that are not saved. Save it before the radios are written, so that the log names the file they hold? No writes it as it is and logs it as unsaved.</source>
        <translation>Das Profil %1 hat nicht gespeicherte Änderungen. Vor dem Schreiben der Funkgeräte speichern, damit das Protokoll die Datei nennt, die sie enthalten? Nein schreibt es so, wie es ist, und protokolliert es als nicht gespeichert.</translation>
    </message>
    <message id="IDS_10420">
        <source>%1 (unsaved)</source>
        <translation>%1 (nicht gespeichert)</translation>
    </message>
    <message id="IDS_10421">
        <source>Ports</source>
        <translation>Anschlüsse</translation>
    </message>
    <message id="IDS_10422">
        <source>Radio %1: %2</source>
        <translation>Funkgerät %1: %2</translation>
    </message>
    <message id="IDS_10423">
        <source>--port may be given more than once only with write --batch.</source>
        <translation>--port darf nur mit write --batch mehrmals angegeben werden.</translation>
    </message>
    <message id="IDS_57345">
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message id="IDS_59137">
        <source>CAP</source>
        <translation>UF</translation>
    </message>
    <message id="IDS_59138">
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message id="IDS_59139">
        <source>SCRL</source>
        <translation>RF</translation>
    </message>
    <message id="IDS_61699">
        <source>Save changes to %1?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
</context>
</TS>
