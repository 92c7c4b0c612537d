<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="en_US">
<context>
    <name></name>
    <message id="IDS_130">
        <source>Fatal registry Error, the application will be closed!</source>
        <translation>Erreur fatale dans les paramètres, l'application va être fermée !</translation>
    </message>
    <message id="IDS_131">
        <source>Unknown Error</source>
        <translation>Erreur inconnue</translation>
    </message>
    <message id="IDS_132">
        <source>Programming error: 107.</source>
        <translation>Erreur de programme : 107.</translation>
    </message>
    <message id="IDS_133">
        <source>Programming error: 108.</source>
        <translation>Erreur de programme : 108.</translation>
    </message>
    <message id="IDS_134">
        <source>Fatal error: 102.
Please uninstall and re-install CPS.</source>
        <translation>Erreur fatale : 102.
Veuillez désinstaller puis réinstaller le CPS.</translation>
    </message>
    <message id="IDS_135">
        <source>Invalid profile.</source>
        <translation>Profil non valide.</translation>
    </message>
    <message id="IDS_136">
        <source>Failed to load profile.</source>
        <translation>Échec du chargement du profil.</translation>
    </message>
    <message id="IDS_137">
        <source>Fatal error: 101.</source>
        <translation>Erreur fatale : 101.</translation>
    </message>
    <message id="IDS_140">
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message id="IDS_141">
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message id="IDS_142">
        <source>Error: Set control color.</source>
        <translation>Erreur : définition de la couleur du contrôle.</translation>
    </message>
    <message id="IDS_143">
        <source>Error: Set background color.</source>
        <translation>Erreur : définition de la couleur d'arrière-plan.</translation>
    </message>
    <message id="IDS_144">
        <source>Error: Set view size.</source>
        <translation>Erreur : définition de la taille de la vue.</translation>
    </message>
    <message id="IDS_145">
        <source>Error: Convert coordinate.</source>
        <translation>Erreur : conversion des coordonnées.</translation>
    </message>
    <message id="IDS_146">
        <source>Error: Can not find help file information in registry!</source>
        <translation>Erreur : informations sur le fichier d'aide introuvables dans les paramètres !</translation>
    </message>
    <message id="IDS_147">
        <source>Error: Help File format is invalid!</source>
        <translation>Erreur : le format du fichier d'aide n'est pas valide !</translation>
    </message>
    <message id="IDS_148">
        <source>Error: Can not find the help file!</source>
        <translation>Erreur : fichier d'aide introuvable !</translation>
    </message>
    <message id="IDS_149">
        <source>OLE initialization failed. Make sure that the OLE libraries are the correct version.</source>
        <translation>Échec de l'initialisation OLE. Vérifiez que les bibliothèques OLE sont dans la bonne version.</translation>
    </message>
    <message id="IDS_150">
        <source>Button Reset</source>
        <translation>Réinitialiser les boutons</translation>
    </message>
    <message id="IDS_151">
        <source>Radio Information</source>
        <translation>Informations sur le poste</translation>
    </message>
    <message id="IDS_152">
        <source>Regional Code</source>
        <translation>Code régional</translation>
    </message>
    <message id="IDS_153">
        <source>Serial Number</source>
        <translation>Numéro de série</translation>
    </message>
    <message id="IDS_154">
        <source>Firmware Version</source>
        <translation>Version du micrologiciel</translation>
    </message>
    <message id="IDS_155">
        <source>Codeplug Version</source>
        <translation>Version du codeplug</translation>
    </message>
    <message id="IDS_156">
        <source>Frequency Range (MHz)</source>
        <translation>Plage de fréquences (MHz)</translation>
    </message>
    <message id="IDS_157">
        <source>Maximum Channel</source>
        <translation>Nombre maximal de canaux</translation>
    </message>
    <message id="IDS_158">
        <source>Buttons</source>
        <translation>Boutons</translation>
    </message>
    <message id="IDS_159">
        <source>Feature</source>
        <translation>Fonction</translation>
    </message>
    <message id="IDS_160">
        <source>Side Button 1 (SB1)</source>
        <translation>Bouton latéral 1 (SB1)</translation>
    </message>
    <message id="IDS_161">
        <source>Side Button 2 (SB2)</source>
        <translation>Bouton latéral 2 (SB2)</translation>
    </message>
    <message id="IDS_162">
        <source>Button A</source>
        <translation>Bouton A</translation>
    </message>
    <message id="IDS_163">
        <source>Button B</source>
        <translation>Bouton B</translation>
    </message>
    <message id="IDS_164">
        <source>Button C</source>
        <translation>Bouton C</translation>
    </message>
    <message id="IDS_165">
        <source>Preset 1 Channel</source>
        <translation>Canal préréglé 1</translation>
    </message>
    <message id="IDS_166">
        <source>Preset 2 Channel</source>
        <translation>Canal préréglé 2</translation>
    </message>
    <message id="IDS_167">
        <source>General Settings</source>
        <translation>Paramètres généraux</translation>
    </message>
    <message id="IDS_168">
        <source>Buttons</source>
        <translation>Boutons</translation>
    </message>
    <message id="IDS_169">
        <source>Channels</source>
        <translation>Canaux</translation>
    </message>
    <message id="IDS_171">
        <source>Scan List</source>
        <translation>Liste de balayage</translation>
    </message>
    <message id="IDS_172">
        <source>Audio Settings</source>
        <translation>Paramètres audio</translation>
    </message>
    <message id="IDS_173">
        <source>Microphone Gain</source>
        <translation>Gain du microphone</translation>
    </message>
    <message id="IDS_174">
        <source>Accessory Microphone Gain</source>
        <translation>Gain du microphone externe</translation>
    </message>
    <message id="IDS_175">
        <source>VOX Level</source>
        <translation>Niveau VOX</translation>
    </message>
    <message id="IDS_176">
        <source>iVOX Level</source>
        <translation>Niveau iVOX</translation>
    </message>
    <message id="IDS_177">
        <source>Roger Beep Tone</source>
        <translation>Bip de fin d'émission</translation>
    </message>
    <message id="IDS_178">
        <source>Keypad Beep</source>
        <translation>Bip des touches</translation>
    </message>
    <message id="IDS_180">
        <source>Recent File</source>
        <translation>Fichier récent</translation>
    </message>
    <message id="IDS_181">
        <source>Low</source>
        <translation>Faible</translation>
    </message>
    <message id="IDS_182">
        <source>Medium</source>
        <translation>Moyen</translation>
    </message>
    <message id="IDS_183">
        <source>High</source>
        <translation>Élevé</translation>
    </message>
    <message id="IDS_184">
        <source>Scan List</source>
        <translation>Liste de balayage</translation>
    </message>
    <message id="IDS_185">
        <source>&amp;Add&gt;&gt;</source>
        <translation>&amp;Ajouter &gt;&gt;</translation>
    </message>
    <message id="IDS_186">
        <source>&lt;&lt;Re&amp;move</source>
        <translation>&lt;&lt; &amp;Retirer</translation>
    </message>
    <message id="IDS_187">
        <source>Available Channels</source>
        <translation>Canaux disponibles</translation>
    </message>
    <message id="IDS_188">
        <source>Scan List Members</source>
        <translation>Canaux de la liste de balayage</translation>
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
        <translation>Faible</translation>
    </message>
    <message id="IDS_192">
        <source>High</source>
        <translation>Élevée</translation>
    </message>
    <message id="IDS_193">
        <source>OFF</source>
        <translation>ARRÊT</translation>
    </message>
    <message id="IDS_194">
        <source>Scramble Code 1</source>
        <translation>Code de brouillage 1</translation>
    </message>
    <message id="IDS_195">
        <source>Scramble Code 2</source>
        <translation>Code de brouillage 2</translation>
    </message>
    <message id="IDS_196">
        <source>Scramble Code 3</source>
        <translation>Code de brouillage 3</translation>
    </message>
    <message id="IDS_197">
        <source>Channels</source>
        <translation>Canaux</translation>
    </message>
    <message id="IDS_198">
        <source>General Settings</source>
        <translation>Paramètres généraux</translation>
    </message>
    <message id="IDS_199">
        <source>Codeplug Password (4-digit number)</source>
        <translation>Mot de passe du codeplug (4 chiffres)</translation>
    </message>
    <message id="IDS_200">
        <source>Confirm Password (4-digit number)</source>
        <translation>Confirmer le mot de passe (4 chiffres)</translation>
    </message>
    <message id="IDS_201">
        <source>Power Up Text</source>
        <translation>Texte de démarrage</translation>
    </message>
    <message id="IDS_202">
        <source>Disable All LEDs</source>
        <translation>Désactiver toutes les LED</translation>
    </message>
    <message id="IDS_203">
        <source>Keypad Lock</source>
        <translation>Verrouillage du clavier</translation>
    </message>
    <message id="IDS_204">
        <source>Disable Restore Factory Default</source>
        <translation>Interdire le retour aux réglages d'usine</translation>
    </message>
    <message id="IDS_205">
        <source>Back Light (Sec.)</source>
        <translation>Rétroéclairage (s)</translation>
    </message>
    <message id="IDS_206">
        <source>Transmit Timeout Timer (Sec.)</source>
        <translation>Limite de durée d'émission (s)</translation>
    </message>
    <message id="IDS_207">
        <source>Call Tone</source>
        <translation>Tonalité d'appel</translation>
    </message>
    <message id="IDS_208">
        <source>CT Reverse Burst</source>
        <translation>Reverse burst CT</translation>
    </message>
    <message id="IDS_209">
        <source>Alternate Battery Selection</source>
        <translation>Sélection de batterie alternative</translation>
    </message>
    <message id="IDS_210">
        <source>Alternate Battery Selection</source>
        <translation>Sélection de batterie alternative</translation>
    </message>
    <message id="IDS_211">
        <source>Disable Battery Save</source>
        <translation>Désactiver l'économie de batterie</translation>
    </message>
    <message id="IDS_212">
        <source>Please enter 4 numeric characters.</source>
        <translation>Veuillez saisir 4 chiffres.</translation>
    </message>
    <message id="IDS_213">
        <source>Do you want to reset all buttons with their defaults?</source>
        <translation>Voulez-vous rétablir l'affectation par défaut de tous les boutons ?</translation>
    </message>
    <message id="IDS_214">
        <source>OFF</source>
        <translation>ARRÊT</translation>
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
        <translation>ARRÊT</translation>
    </message>
    <message id="IDS_221">
        <source>Call Tone</source>
        <translation>Tonalité d'appel</translation>
    </message>
    <message id="IDS_222">
        <source>The name contains characters that are not allowed. Please specify a different name.</source>
        <translation>Le nom contient des caractères non autorisés. Veuillez indiquer un autre nom.</translation>
    </message>
    <message id="IDS_223">
        <source>Profile Loading Error.&#13;
File: %s&#13;
Desc: %s&#13;
Line: %d, Pos: %d&#13;
SRC: %s</source>
        <translation>Erreur de chargement du profil.&#13;
Fichier : %s&#13;
Description : %s&#13;
Ligne : %d, position : %d&#13;
Source : %s</translation>
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
        <translation>Alcaline</translation>
    </message>
    <message id="IDS_227">
        <source>Nickel/LiIon</source>
        <translation>Nickel/Li-ion</translation>
    </message>
    <message id="IDS_228">
        <source>The passwords you entered do not match.</source>
        <translation>Les mots de passe saisis ne correspondent pas.</translation>
    </message>
    <message id="IDS_229">
        <source>Channels</source>
        <translation>Canaux</translation>
    </message>
    <message id="IDS_230">
        <source>Add Channel</source>
        <translation>Ajouter un canal</translation>
    </message>
    <message id="IDS_232">
        <source>Receive</source>
        <translation>Réception</translation>
    </message>
    <message id="IDS_233">
        <source>Frequency (MHz)</source>
        <translation>Fréquence (MHz)</translation>
    </message>
    <message id="IDS_234">
        <source>Bandwidth (KHz)</source>
        <translation>Largeur de bande (kHz)</translation>
    </message>
    <message id="IDS_235">
        <source>CT/DCS Code</source>
        <translation>Code CT/DCS</translation>
    </message>
    <message id="IDS_236">
        <source>Transmit</source>
        <translation>Émission</translation>
    </message>
    <message id="IDS_237">
        <source>Scramble</source>
        <translation>Brouillage</translation>
    </message>
    <message id="IDS_238">
        <source>Repeater</source>
        <translation>Relais</translation>
    </message>
    <message id="IDS_239">
        <source>Auto Scan</source>
        <translation>Balayage automatique</translation>
    </message>
    <message id="IDS_240">
        <source>Enable Programming Mode</source>
        <translation>Activer le mode programmation</translation>
    </message>
    <message id="IDS_241">
        <source>Repeater Power</source>
        <translation>Puissance relais</translation>
    </message>
    <message id="IDS_242">
        <source>RF Frequency</source>
        <translation>Fréquences RF</translation>
    </message>
    <message id="IDS_243">
        <source>Frequency (MHz)</source>
        <translation>Fréquence (MHz)</translation>
    </message>
    <message id="IDS_244">
        <source>Bandwidth</source>
        <translation>Largeur de bande</translation>
    </message>
    <message id="IDS_245">
        <source>Power Level</source>
        <translation>Niveau de puissance</translation>
    </message>
    <message id="IDS_246">
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message id="IDS_247">
        <source>Edit</source>
        <translation>Modifier</translation>
    </message>
    <message id="IDS_248">
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message id="IDS_249">
        <source>New</source>
        <translation>Nouveau</translation>
    </message>
    <message id="IDS_250">
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message id="IDS_251">
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message id="IDS_252">
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message id="IDS_253">
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message id="IDS_254">
        <source>Cut</source>
        <translation>Couper</translation>
    </message>
    <message id="IDS_255">
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message id="IDS_256">
        <source>Paste</source>
        <translation>Coller</translation>
    </message>
    <message id="IDS_257">
        <source>Read</source>
        <translation>Lire</translation>
    </message>
    <message id="IDS_258">
        <source>Write</source>
        <translation>Écrire</translation>
    </message>
    <message id="IDS_259">
        <source>Report</source>
        <translation>Rapport</translation>
    </message>
    <message id="IDS_260">
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message id="IDS_261">
        <source>Invalid Value.</source>
        <translation>Valeur non valide.</translation>
    </message>
    <message id="IDS_262">
        <source>Error: Radio information view loads data.</source>
        <translation>Erreur : la vue des informations sur le poste charge les données.</translation>
    </message>
    <message id="IDS_263">
        <source>Error: Load dealer information failed.</source>
        <translation>Erreur : échec du chargement des informations revendeur.</translation>
    </message>
    <message id="IDS_264">
        <source>Error: There is an error when acquiring language type.</source>
        <translation>Erreur : une erreur s'est produite lors de la détermination de la langue.</translation>
    </message>
    <message id="IDS_265">
        <source>Dealer Information</source>
        <translation>Informations revendeur</translation>
    </message>
    <message id="IDS_266">
        <source>Dealer Information</source>
        <translation>Informations revendeur</translation>
    </message>
    <message id="IDS_267">
        <source>Contact Information</source>
        <translation>Coordonnées</translation>
    </message>
    <message id="IDS_268">
        <source>Notes</source>
        <translation>Remarques</translation>
    </message>
    <message id="IDS_269">
        <source>Invalid frequency: This frequency is not supported by this radio.</source>
        <translation>Fréquence non valide : ce poste ne prend pas en charge cette fréquence.</translation>
    </message>
    <message id="IDS_271">
        <source>Do you want to create a new profile (Yes), overwrite the currently selected profile (No) or cancel it?</source>
        <translation>Voulez-vous créer un nouveau profil (Oui), écraser le profil sélectionné (Non) ou annuler ?</translation>
    </message>
    <message id="IDS_272">
        <source>New Profile</source>
        <translation>Nouveau profil</translation>
    </message>
    <message id="IDS_273">
        <source>Please choose profile model.</source>
        <translation>Veuillez choisir le modèle du profil.</translation>
    </message>
    <message id="IDS_274">
        <source>%s Customer Programming Software</source>
        <translation>Logiciel de programmation %s</translation>
    </message>
    <message id="IDS_275">
        <source>Version %s</source>
        <translation>Version %s</translation>
    </message>
    <message id="IDS_276">
        <source>Copyright (C) 2026. All rights reserved.</source>
        <translation>Copyright (C) 2026. Tous droits réservés.</translation>
    </message>
    <message id="IDS_277">
        <source>%s is a trademark of its respective owner.</source>
        <translation>%s est une marque de son propriétaire respectif.</translation>
    </message>
    <message id="IDS_278">
        <source>Warning: this program is protected by copyright law. Unauthorised copying or distribution of this program, or of any part of it, is prohibited.</source>
        <translation>Avertissement : ce programme est protégé par la loi sur le droit d'auteur. Toute copie ou diffusion non autorisée de ce programme, ou d'une partie de celui-ci, est interdite.</translation>
    </message>
    <message id="IDS_279">
        <source>The password is not correct. Please check it!</source>
        <translation>Le mot de passe est incorrect. Veuillez le vérifier !</translation>
    </message>
    <message id="IDS_280">
        <source>The power up text is invalid. It can hold at most 8 characters.</source>
        <translation>Le texte de démarrage n'est pas valide. Il peut contenir au plus 8 caractères.</translation>
    </message>
    <message id="IDS_281">
        <source>One feature can not be assigned to multiple buttons.</source>
        <translation>Une fonction ne peut pas être affectée à plusieurs boutons.</translation>
    </message>
    <message id="IDS_282">
        <source>The channel can not be selected!</source>
        <translation>Le canal ne peut pas être sélectionné !</translation>
    </message>
    <message id="IDS_288">
        <source>Frequency (Frequencies) used by channel can not be deleted.</source>
        <translation>Les fréquences utilisées par des canaux ne peuvent pas être supprimées.</translation>
    </message>
    <message id="IDS_289">
        <source>User selectable with %s KHz as default</source>
        <translation>Au choix, %s kHz par défaut</translation>
    </message>
    <message id="IDS_290">
        <source>User selectable with %s KHz as default</source>
        <translation>Au choix, %s kHz par défaut</translation>
    </message>
    <message id="IDS_291">
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message id="IDS_292">
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message id="IDS_293">
        <source>Index</source>
        <translation>Index</translation>
    </message>
    <message id="IDS_294">
        <source>User selectable with low power as default</source>
        <translation>Au choix, puissance faible par défaut</translation>
    </message>
    <message id="IDS_295">
        <source>User selectable with high power as default</source>
        <translation>Au choix, puissance élevée par défaut</translation>
    </message>
    <message id="IDS_296">
        <source>Error: Can not find template files!</source>
        <translation>Erreur : fichiers modèles introuvables !</translation>
    </message>
    <message id="IDS_297">
        <source>About</source>
        <translation>À propos de</translation>
    </message>
    <message id="IDS_298">
        <source>A similar name already exists in Channels personalities. Please specify a different name.</source>
        <translation>Un nom semblable existe déjà parmi les canaux. Veuillez indiquer un autre nom.</translation>
    </message>
    <message id="IDS_309">
        <source>Error: Communication Error.</source>
        <translation>Erreur : erreur de communication.</translation>
    </message>
    <message id="IDS_310">
        <source>The CPS does not support this profile's region.</source>
        <translation>Le CPS ne prend pas en charge la région de ce profil.</translation>
    </message>
    <message id="IDS_315">
        <source>Some files needed by CPS are not available.
Please reinstall CPS.</source>
        <translation>Certains fichiers nécessaires au CPS sont absents.
Veuillez réinstaller le CPS.</translation>
    </message>
    <message id="IDS_319">
        <source>When converting from high-tier radio to low-tier radio, some data may be lost. Do you want to continue?</source>
        <translation>La conversion d'un poste haut de gamme vers un poste d'entrée de gamme peut entraîner la perte de certaines données. Voulez-vous continuer ?</translation>
    </message>
    <message id="IDS_320">
        <source>Choose a report template.</source>
        <translation>Choisissez un modèle de rapport.</translation>
    </message>
    <message id="IDS_321">
        <source>&amp;Language</source>
        <translation>&amp;Langue</translation>
    </message>
    <message id="IDS_322">
        <source>Detailed Report</source>
        <translation>Rapport détaillé</translation>
    </message>
    <message id="IDS_323">
        <source>Customer Handout</source>
        <translation>Fiche client</translation>
    </message>
    <message id="IDS_325">
        <source>The language resource file is missing. The CPS will start with English language version.</source>
        <translation>Le fichier de langue est absent. Le CPS démarrera en anglais.</translation>
    </message>
    <message id="IDS_326">
        <source>Reports</source>
        <translation>Rapports</translation>
    </message>
    <message id="IDS_327">
        <source>Invalid Value.</source>
        <translation>Valeur non valide.</translation>
    </message>
    <message id="IDS_328">
        <source>Print</source>
        <translation>Imprimer</translation>
    </message>
    <message id="IDS_329">
        <source>Error: Operation Failed (%d).</source>
        <translation>Erreur : échec de l'opération (%d).</translation>
    </message>
    <message id="IDS_330">
        <source>You have to restart the CPS for this change to take effect.</source>
        <translation>Vous devez redémarrer le CPS pour que cette modification prenne effet.</translation>
    </message>
    <message id="IDS_331">
        <source>Files</source>
        <translation>Fichiers</translation>
    </message>
    <message id="IDS_334">
        <source>USB Cable Connected</source>
        <translation>Câble USB connecté</translation>
    </message>
    <message id="IDS_335">
        <source>Unknown warning!</source>
        <translation>Avertissement inconnu !</translation>
    </message>
    <message id="IDS_336">
        <source>USB Cable Not Connected</source>
        <translation>Câble USB non connecté</translation>
    </message>
    <message id="IDS_337">
        <source>All Files</source>
        <translation>Tous les fichiers</translation>
    </message>
    <message id="IDS_338">
        <source>You can not delete the last channel.</source>
        <translation>Vous ne pouvez pas supprimer le dernier canal.</translation>
    </message>
    <message id="IDS_339">
        <source>Scramble Button</source>
        <translation>Bouton de brouillage</translation>
    </message>
    <message id="IDS_340">
        <source>Selectable</source>
        <translation>Au choix</translation>
    </message>
    <message id="IDS_341">
        <source>ON/OFF</source>
        <translation>MARCHE/ARRÊT</translation>
    </message>
    <message id="IDS_342">
        <source>Codeplug version of CPS and profile are incompatible! Please update your CPS.</source>
        <translation>Les versions de codeplug du CPS et du profil sont incompatibles ! Veuillez mettre à jour votre CPS.</translation>
    </message>
    <message id="IDS_343">
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message id="IDS_344">
        <source>&amp;Edit</source>
        <translation>&amp;Édition</translation>
    </message>
    <message id="IDS_345">
        <source>&amp;View</source>
        <translation>Affic&amp;hage</translation>
    </message>
    <message id="IDS_346">
        <source>&amp;Device</source>
        <translation>A&amp;ppareil</translation>
    </message>
    <message id="IDS_347">
        <source>&amp;Report</source>
        <translation>&amp;Rapport</translation>
    </message>
    <message id="IDS_348">
        <source>&amp;Window</source>
        <translation>Fe&amp;nêtre</translation>
    </message>
    <message id="IDS_349">
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message id="IDS_350">
        <source>&amp;New	Ctrl+N</source>
        <translation>&amp;Nouveau	Ctrl+N</translation>
    </message>
    <message id="IDS_351">
        <source>&amp;Open...	Ctrl+O</source>
        <translation>&amp;Ouvrir...	Ctrl+O</translation>
    </message>
    <message id="IDS_352">
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message id="IDS_353">
        <source>&amp;Save	Ctrl+S</source>
        <translation>&amp;Enregistrer	Ctrl+S</translation>
    </message>
    <message id="IDS_354">
        <source>Save &amp;As...</source>
        <translation>Enregistrer &amp;sous...</translation>
    </message>
    <message id="IDS_355">
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message id="IDS_356">
        <source>&amp;Add	Ctrl+A</source>
        <translation>&amp;Ajouter	Ctrl+A</translation>
    </message>
    <message id="IDS_357">
        <source>Cu&amp;t	Ctrl+X</source>
        <translation>Co&amp;uper	Ctrl+X</translation>
    </message>
    <message id="IDS_358">
        <source>&amp;Copy	Ctrl+C</source>
        <translation>&amp;Copier	Ctrl+C</translation>
    </message>
    <message id="IDS_359">
        <source>&amp;Paste	Ctrl+V</source>
        <translation>C&amp;oller	Ctrl+V</translation>
    </message>
    <message id="IDS_360">
        <source>&amp;Delete	Del</source>
        <translation>&amp;Supprimer	Del</translation>
    </message>
    <message id="IDS_361">
        <source>&amp;Rename	F2</source>
        <translation>&amp;Renommer	F2</translation>
    </message>
    <message id="IDS_362">
        <source>Dealer &amp;Info</source>
        <translation>&amp;Informations revendeur</translation>
    </message>
    <message id="IDS_363">
        <source>&amp;Toolbar</source>
        <translation>&amp;Barre d'outils</translation>
    </message>
    <message id="IDS_364">
        <source>&amp;Status Bar</source>
        <translation>Barre d'é&amp;tat</translation>
    </message>
    <message id="IDS_365">
        <source>&amp;Read	Ctrl+R</source>
        <translation>&amp;Lire	Ctrl+R</translation>
    </message>
    <message id="IDS_366">
        <source>&amp;Write	Ctrl+W</source>
        <translation>É&amp;crire	Ctrl+W</translation>
    </message>
    <message id="IDS_367">
        <source>R&amp;eset	Ctrl+E</source>
        <translation>Réi&amp;nitialiser	Ctrl+E</translation>
    </message>
    <message id="IDS_368">
        <source>&amp;About</source>
        <translation>À &amp;propos de</translation>
    </message>
    <message id="IDS_369">
        <source>&amp;Content and Index	F1</source>
        <translation>&amp;Sommaire et index	F1</translation>
    </message>
    <message id="IDS_370">
        <source>&amp;Cascade</source>
        <translation>&amp;Cascade</translation>
    </message>
    <message id="IDS_371">
        <source>&amp;Tile</source>
        <translation>&amp;Mosaïque</translation>
    </message>
    <message id="IDS_372">
        <source>COM initial failed.</source>
        <translation>Échec de l'initialisation COM.</translation>
    </message>
    <message id="IDS_373">
        <source>Failed to open registry!</source>
        <translation>Impossible d'ouvrir les paramètres !</translation>
    </message>
    <message id="IDS_374">
        <source>Failed to write registry!</source>
        <translation>Impossible d'écrire les paramètres !</translation>
    </message>
    <message id="IDS_375">
        <source>The dealer information in the registry is too long to fit the dialog, please check it!</source>
        <translation>Les informations revendeur enregistrées dans les paramètres sont trop longues pour la boîte de dialogue, veuillez les vérifier !</translation>
    </message>
    <message id="IDS_378">
        <source>Do you want to delete the selected item(s)?</source>
        <translation>Voulez-vous supprimer les éléments sélectionnés ?</translation>
    </message>
    <message id="IDS_379">
        <source>Please enter the password:</source>
        <translation>Veuillez saisir le mot de passe :</translation>
    </message>
    <message id="IDS_380">
        <source>Dialog</source>
        <translation>Boîte de dialogue</translation>
    </message>
    <message id="IDS_381">
        <source>CPS needs vbscript engine to start. Please install vbscript engine before re-starting the %s.</source>
        <translation>Le CPS a besoin d'un moteur VBScript pour démarrer. Veuillez installer un moteur VBScript avant de redémarrer %s.</translation>
    </message>
    <message id="IDS_382">
        <source>Print Preview</source>
        <translation>Aperçu avant impression</translation>
    </message>
    <message id="IDS_383">
        <source>Save As</source>
        <translation>Enregistrer sous</translation>
    </message>
    <message id="IDS_384">
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message id="IDS_386">
        <source>%s KHz only</source>
        <translation>%s kHz uniquement</translation>
    </message>
    <message id="IDS_387">
        <source>%s KHz only</source>
        <translation>%s kHz uniquement</translation>
    </message>
    <message id="IDS_388">
        <source>Low power only</source>
        <translation>Puissance faible uniquement</translation>
    </message>
    <message id="IDS_389">
        <source>High power only</source>
        <translation>Puissance élevée uniquement</translation>
    </message>
    <message id="IDS_390">
        <source>Radio's memory is corrupted. Please perform factory reset to correct the error.</source>
        <translation>La mémoire du poste est corrompue. Veuillez rétablir les réglages d'usine pour corriger l'erreur.</translation>
    </message>
    <message id="IDS_392">
        <source>E-mail</source>
        <translation>Courriel</translation>
    </message>
    <message id="IDS_393">
        <source>The MAPI is not installed, you need to install it to send an e-mail.</source>
        <translation>MAPI n'est pas installé ; vous devez l'installer pour envoyer un courriel.</translation>
    </message>
    <message id="IDS_396">
        <source>The current profile is not compatible with the radio.</source>
        <translation>Le profil actuel n'est pas compatible avec le poste.</translation>
    </message>
    <message id="IDS_397">
        <source>There are %d USB connections. Please remove the unused one and keep one connection only.</source>
        <translation>Il y a %d connexions USB. Veuillez débrancher celles qui ne servent pas et n'en garder qu'une seule.</translation>
    </message>
    <message id="IDS_398">
        <source>Talkaround Power</source>
        <translation>Puissance en mode direct</translation>
    </message>
    <message id="IDS_399">
        <source>Help &amp;Pane</source>
        <translation>&amp;Volet d'aide</translation>
    </message>
    <message id="IDS_400">
        <source>In talkaround mode, Transmit will use Receive settings.</source>
        <translation>En mode direct, l'émission utilise les paramètres de réception.</translation>
    </message>
    <message id="IDS_401">
        <source>This channel is assigned to a Preset Channel button. Deleting this channel shall cause the value change of the Preset Channel button. Do you want to continue?</source>
        <translation>Ce canal est affecté à un bouton de canal préréglé. Le supprimer modifiera la valeur de ce bouton. Voulez-vous continuer ?</translation>
    </message>
    <message id="IDS_402">
        <source>Codeplug version of CPS and radio are incompatible! Please update your CPS.</source>
        <translation>Les versions de codeplug du CPS et du poste sont incompatibles ! Veuillez mettre à jour votre CPS.</translation>
    </message>
    <message id="IDS_403">
        <source>The CPS does not support this radio's region.</source>
        <translation>Le CPS ne prend pas en charge la région de ce poste.</translation>
    </message>
    <message id="IDS_409">
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message id="IDS_410">
        <source>Radio's memory is corrupted. Please return to manufacture for correction.</source>
        <translation>La mémoire du poste est corrompue. Veuillez retourner le poste au fabricant pour réparation.</translation>
    </message>
    <message id="IDS_414">
        <source>Disable</source>
        <translation>Désactivé</translation>
    </message>
    <message id="IDS_416">
        <source>Monitor</source>
        <translation>Moniteur</translation>
    </message>
    <message id="IDS_417">
        <source>Scan/Nuisance Channel Delete</source>
        <translation>Balayage/Suppr. canal gênant</translation>
    </message>
    <message id="IDS_418">
        <source>You don't have permission to save %s in %s\%s\.&#13;
Would you like to save it in %s\ instead?</source>
        <translation>Vous n'avez pas l'autorisation d'enregistrer %s dans %s\%s\.&#13;
Voulez-vous plutôt l'enregistrer dans %s\ ?</translation>
    </message>
    <message id="IDS_419">
        <source>Tx Power Selection</source>
        <translation>Sélection de la puissance d'émission</translation>
    </message>
    <message id="IDS_420">
        <source>Failed to generate report.</source>
        <translation>Échec de la création du rapport.</translation>
    </message>
    <message id="IDS_421">
        <source>Repeater/Talkaround</source>
        <translation>Relais/Mode direct</translation>
    </message>
    <message id="IDS_422">
        <source>No Operation</source>
        <translation>Aucune fonction</translation>
    </message>
    <message id="IDS_423">
        <source>Backlight</source>
        <translation>Rétroéclairage</translation>
    </message>
    <message id="IDS_424">
        <source>Preset 1</source>
        <translation>Préréglage 1</translation>
    </message>
    <message id="IDS_425">
        <source>Preset 2</source>
        <translation>Préréglage 2</translation>
    </message>
    <message id="IDS_429">
        <source>Name</source>
        <translation>Nom</translation>
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
        <translation>Aucun code CT/DCS</translation>
    </message>
    <message id="IDS_440">
        <source>The radio being programmed does not match the model in the current profile.</source>
        <translation>Le poste en cours de programmation ne correspond pas au modèle du profil actuel.</translation>
    </message>
    <message id="IDS_447">
        <source>Transmit Power</source>
        <translation>Puissance d'émission</translation>
    </message>
    <message id="IDS_459">
        <source>(default)</source>
        <translation>(par défaut)</translation>
    </message>
    <message id="IDS_462">
        <source>The CPS does not support this radio model.</source>
        <translation>Le CPS ne prend pas en charge ce modèle de poste.</translation>
    </message>
    <message id="IDS_464">
        <source>Compander/Expander</source>
        <translation>Compandeur</translation>
    </message>
    <message id="IDS_465">
        <source>ON</source>
        <translation>MARCHE</translation>
    </message>
    <message id="IDS_466">
        <source>OFF</source>
        <translation>ARRÊT</translation>
    </message>
    <message id="IDS_470">
        <source>Customized CT</source>
        <translation>Tonalités CT personnalisées</translation>
    </message>
    <message id="IDS_471">
        <source>Customized CT</source>
        <translation>CT personnalisé</translation>
    </message>
    <message id="IDS_472">
        <source>CT Code 124 (Hz)</source>
        <translation>Code CT 124 (Hz)</translation>
    </message>
    <message id="IDS_473">
        <source>CT Code 125 (Hz)</source>
        <translation>Code CT 125 (Hz)</translation>
    </message>
    <message id="IDS_474">
        <source>CT Code 126 (Hz)</source>
        <translation>Code CT 126 (Hz)</translation>
    </message>
    <message id="IDS_475">
        <source>CT Code 127 (Hz)</source>
        <translation>Code CT 127 (Hz)</translation>
    </message>
    <message id="IDS_476">
        <source>CT Code 128 (Hz)</source>
        <translation>Code CT 128 (Hz)</translation>
    </message>
    <message id="IDS_477">
        <source>CT Code 129 (Hz)</source>
        <translation>Code CT 129 (Hz)</translation>
    </message>
    <message id="IDS_478">
        <source>The CT Code you input is invalid. The valid range is: 67.0 - 255 Hz.</source>
        <translation>Le code CT saisi n'est pas valide. La plage valide est : 67,0 - 255 Hz.</translation>
    </message>
    <message id="IDS_479">
        <source>DCS</source>
        <translation>DCS</translation>
    </message>
    <message id="IDS_480">
        <source>Inverted DCS</source>
        <translation>DCS inversé</translation>
    </message>
    <message id="IDS_482">
        <source>Hz</source>
        <translation>Hz</translation>
    </message>
    <message id="IDS_483">
        <source>Some profile information is not supported by the host radio and therefore it will not be transferred(CT/DCS Code). Its range is 0 - 122. </source>
        <translation>Certaines informations du profil ne sont pas prises en charge par le poste connecté et ne seront donc pas transférées (code CT/DCS). La plage admise est 0 - 122. </translation>
    </message>
    <message id="IDS_484">
        <source>Repeater Station ID</source>
        <translation>Identifiant du relais</translation>
    </message>
    <message id="IDS_485">
        <source>Repeater ID Mode</source>
        <translation>Mode d'identification du relais</translation>
    </message>
    <message id="IDS_486">
        <source>Tx Hangtime (Sec.)</source>
        <translation>Temps de maintien d'émission (s)</translation>
    </message>
    <message id="IDS_487">
        <source>On Battery Alert Tone</source>
        <translation>Tonalité d'alerte batterie</translation>
    </message>
    <message id="IDS_488">
        <source>Enable Courtesy Over Beep</source>
        <translation>Activer le bip de courtoisie</translation>
    </message>
    <message id="IDS_489">
        <source>Tx Frequency Range (MHz)</source>
        <translation>Plage de fréquences d'émission (MHz)</translation>
    </message>
    <message id="IDS_490">
        <source>Rx Frequency Range (MHz)</source>
        <translation>Plage de fréquences de réception (MHz)</translation>
    </message>
    <message id="IDS_491">
        <source>The repeater station ID is invalid. It can hold at most 9 characters.</source>
        <translation>L'identifiant du relais n'est pas valide. Il peut contenir au plus 9 caractères.</translation>
    </message>
    <message id="IDS_492">
        <source>The Tx hangtime is out of the valid range.</source>
        <translation>Le temps de maintien d'émission est hors de la plage valide.</translation>
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
        <translation>Après la conversation</translation>
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
        <translation>Veuillez utiliser « %s ».</translation>
    </message>
    <message id="IDS_504">
        <source>Please use the &quot;%s&quot;.</source>
        <translation>Veuillez utiliser « %s ».</translation>
    </message>
    <message id="IDS_505">
        <source>Tx Low Battery (Min.)</source>
        <translation>Émission batterie faible (min)</translation>
    </message>
    <message id="IDS_506">
        <source>The Tx low battery time is out of the valid range.</source>
        <translation>La durée d'émission en batterie faible est hors de la plage valide.</translation>
    </message>
    <message id="IDS_507">
        <source>&amp;Factory Reset</source>
        <translation>Réglages d'&amp;usine</translation>
    </message>
    <message id="IDS_508">
        <source>Warning: The operation shall erase all user settings and bring back the repeater's default settings. Do you want to continue?</source>
        <translation>Avertissement : cette opération efface tous les paramètres utilisateur et rétablit les réglages par défaut du relais. Voulez-vous continuer ?</translation>
    </message>
    <message id="IDS_510">
        <source>Out of range</source>
        <translation>Hors plage</translation>
    </message>
    <message id="IDS_511">
        <source>At least one channel frequency is out of the valid frequency range. Please correct it before programming. If there is no valid frequency to select, please edit the frequency table first.</source>
        <translation>Au moins une fréquence de canal est hors de la plage de fréquences valide. Veuillez la corriger avant la programmation. S'il n'y a aucune fréquence valide à choisir, modifiez d'abord la table des fréquences.</translation>
    </message>
    <message id="IDS_514">
        <source>The transmit frequency index can not be same as the receive frequency index. The next available transmit frequency shall be selected.</source>
        <translation>L'index de la fréquence d'émission ne peut pas être identique à celui de la fréquence de réception. La prochaine fréquence d'émission disponible sera sélectionnée.</translation>
    </message>
    <message id="IDS_515">
        <source>High-power is only available in non-PMR446 markets</source>
        <translation>La puissance élevée n'est disponible que hors des marchés PMR446</translation>
    </message>
    <message id="IDS_9001">
        <source>Invalid serial number</source>
        <translation>Numéro de série non valide</translation>
    </message>
    <message id="IDS_9002">
        <source>Codeplug is corrupted</source>
        <translation>Le codeplug est corrompu</translation>
    </message>
    <message id="IDS_9100">
        <source>Permission denied on %1. Join the group &quot;%2&quot; that owns the serial device (for example: sudo usermod -aG %2 $USER), then log out and log in again: a new group takes effect only at a new login.</source>
        <translation>Accès refusé à %1. Rejoignez le groupe « %2 » propriétaire du périphérique série (par exemple : sudo usermod -aG %2 $USER), puis fermez la session et rouvrez-la : un nouveau groupe ne prend effet qu'à la connexion suivante.</translation>
    </message>
    <message id="IDS_9101">
        <source>%1 is in use by another program.</source>
        <translation>%1 est utilisé par un autre programme.</translation>
    </message>
    <message id="IDS_9102">
        <source>No programming cable found. Connect the Zerva Series CPS Cable, or name a serial device with --port.</source>
        <translation>Aucun câble de programmation trouvé. Branchez le câble Zerva Series CPS ou indiquez un périphérique série avec --port.</translation>
    </message>
    <message id="IDS_9103">
        <source>The radio did not answer.</source>
        <translation>Le poste n'a pas répondu.</translation>
    </message>
    <message id="IDS_9104">
        <source>The radio did not acknowledge the request (protocol error -10).</source>
        <translation>Le poste n'a pas acquitté la demande (erreur de protocole -10).</translation>
    </message>
    <message id="IDS_9105">
        <source>The radio's reply failed its checksum (protocol error -11).</source>
        <translation>La somme de contrôle de la réponse du poste est erronée (erreur de protocole -11).</translation>
    </message>
    <message id="IDS_9106">
        <source>The radio refused the memory write (protocol error -12).</source>
        <translation>Le poste a refusé l'écriture en mémoire (erreur de protocole -12).</translation>
    </message>
    <message id="IDS_9107">
        <source>The cable failed (status %1).</source>
        <translation>Le câble est défaillant (état %1).</translation>
    </message>
    <message id="IDS_9108">
        <source>The connection to the radio was lost (is the cable still plugged in?): %1</source>
        <translation>La connexion avec le poste a été perdue (le câble est-il toujours branché ?) : %1</translation>
    </message>
    <message id="IDS_9110">
        <source>Reading from the radio ...</source>
        <translation>Lecture du poste ...</translation>
    </message>
    <message id="IDS_9111">
        <source>Writing to the radio ...</source>
        <translation>Écriture dans le poste ...</translation>
    </message>
    <message id="IDS_9112">
        <source>Read Succeeded!</source>
        <translation>Lecture réussie !</translation>
    </message>
    <message id="IDS_9113">
        <source>Write Succeeded!</source>
        <translation>Écriture réussie !</translation>
    </message>
    <message id="IDS_9114">
        <source>Read Failed!</source>
        <translation>Échec de la lecture !</translation>
    </message>
    <message id="IDS_9115">
        <source>Write Failed!</source>
        <translation>Échec de l'écriture !</translation>
    </message>
    <message id="IDS_9116">
        <source>Transferring...</source>
        <translation>Transfert en cours...</translation>
    </message>
    <message id="IDS_9117">
        <source>Identifying the radio ...</source>
        <translation>Identification du poste ...</translation>
    </message>
    <message id="IDS_9118">
        <source>Resetting the radio ...</source>
        <translation>Réinitialisation du poste ...</translation>
    </message>
    <message id="IDS_9119">
        <source>Restoring the radio's factory settings ...</source>
        <translation>Rétablissement des réglages d'usine du poste ...</translation>
    </message>
    <message id="IDS_9120">
        <source>Factory reset not confirmed: add --yes to erase all user settings.</source>
        <translation>Retour aux réglages d'usine non confirmé : ajoutez --yes pour effacer tous les paramètres utilisateur.</translation>
    </message>
    <message id="IDS_9121">
        <source>The radio's answer was too short.</source>
        <translation>La réponse du poste était trop courte.</translation>
    </message>
    <message id="IDS_9122">
        <source>The radio sent an unexpected reply (another command, address or length, or endless noise).</source>
        <translation>Le poste a envoyé une réponse inattendue (autre commande, adresse ou longueur, ou bruit sans fin).</translation>
    </message>
    <message id="IDS_9123">
        <source>The radio may now hold a partly written codeplug. Writing to it again, or writing back its backup image, puts it right.</source>
        <translation>Le poste contient peut-être maintenant un codeplug partiellement écrit. Une nouvelle écriture, ou la réécriture de son image de sauvegarde, corrige la situation.</translation>
    </message>
    <message id="IDS_9124">
        <source>Permission denied on %1: its mode (%2) does not let its group read and write it, so joining a group would not help. Ask the administrator to give you access to the device (for example: sudo chmod 660 %1).</source>
        <translation>Accès refusé à %1 : ses droits (%2) ne permettent pas à son groupe de le lire et de l'écrire, rejoindre un groupe ne servirait donc à rien. Demandez à l'administrateur de vous donner accès au périphérique (par exemple : sudo chmod 660 %1).</translation>
    </message>
    <message id="IDS_9125">
        <source>Permission denied on %1 although this program already runs in its group &quot;%2&quot;: something other than the group refuses the access (an access control list or a security policy).</source>
        <translation>Accès refusé à %1 alors que ce programme s'exécute déjà dans son groupe « %2 » : autre chose que le groupe refuse l'accès (une liste de contrôle d'accès ou une politique de sécurité).</translation>
    </message>
    <message id="IDS_9126">
        <source>setting byte %1</source>
        <translation>octet de paramètres %1</translation>
    </message>
    <message id="IDS_9127">
        <source>channel %1</source>
        <translation>canal %1</translation>
    </message>
    <message id="IDS_9128">
        <source>customised tone %1</source>
        <translation>tonalité personnalisée %1</translation>
    </message>
    <message id="IDS_9129">
        <source>frequency slot %1</source>
        <translation>emplacement de fréquence %1</translation>
    </message>
    <message id="IDS_9130">
        <source>Verify Failed! The radio does not hold what was written: the first difference is in %1.</source>
        <translation>Échec de la vérification ! Le poste ne contient pas ce qui a été écrit : la première différence se trouve dans %1.</translation>
    </message>
    <message id="IDS_9131">
        <source>The radio's current image could not be backed up (%1), so nothing was written.</source>
        <translation>L'image actuelle du poste n'a pas pu être sauvegardée (%1), rien n'a donc été écrit.</translation>
    </message>
    <message id="IDS_9132">
        <source>Backing up the radio ...</source>
        <translation>Sauvegarde du poste ...</translation>
    </message>
    <message id="IDS_9133">
        <source>Verifying the radio ...</source>
        <translation>Vérification du poste ...</translation>
    </message>
    <message id="IDS_9134">
        <source>Verify Succeeded!</source>
        <translation>Vérification réussie !</translation>
    </message>
    <message id="IDS_9135">
        <source>The radio's previous image was saved to %1.</source>
        <translation>L'image précédente du poste a été enregistrée dans %1.</translation>
    </message>
    <message id="IDS_9136">
        <source>A radio transfer is still running. Please wait until it has ended before closing the CPS.</source>
        <translation>Un transfert avec le poste est encore en cours. Veuillez attendre qu'il soit terminé avant de fermer le CPS.</translation>
    </message>
    <message id="IDS_9137">
        <source>&amp;Port and Transfer...</source>
        <translation>&amp;Port et transfert...</translation>
    </message>
    <message id="IDS_9138">
        <source>Port and Transfer</source>
        <translation>Port et transfert</translation>
    </message>
    <message id="IDS_9139">
        <source>&amp;Serial port (empty: search for the programming cable):</source>
        <translation>Port &amp;série (vide : rechercher le câble de programmation) :</translation>
    </message>
    <message id="IDS_9140">
        <source>&amp;Verify after write</source>
        <translation>&amp;Vérifier après l'écriture</translation>
    </message>
    <message id="IDS_9141">
        <source>&amp;Trace file (empty: none):</source>
        <translation>Fichier de &amp;trace (vide : aucun) :</translation>
    </message>
    <message id="IDS_9301">
        <source>This frequency is already in the frequency table.</source>
        <translation>Cette fréquence figure déjà dans la table des fréquences.</translation>
    </message>
    <message id="IDS_9302">
        <source>The frequency table is full.</source>
        <translation>La table des fréquences est pleine.</translation>
    </message>
    <message id="IDS_9303">
        <source>This frequency is used by channels. Changing it changes those channels too. Do you want to continue?</source>
        <translation>Cette fréquence est utilisée par des canaux. La modifier modifie aussi ces canaux. Voulez-vous continuer ?</translation>
    </message>
    <message id="IDS_9304">
        <source>This CT/DCS code is not supported by this radio.</source>
        <translation>Ce code CT/DCS n'est pas pris en charge par ce poste.</translation>
    </message>
    <message id="IDS_9305">
        <source>This value is fixed by the radio and can not be changed.</source>
        <translation>Cette valeur est fixée par le poste et ne peut pas être modifiée.</translation>
    </message>
    <message id="IDS_9306">
        <source>This feature is not available on this radio.</source>
        <translation>Cette fonction n'est pas disponible sur ce poste.</translation>
    </message>
    <message id="IDS_9307">
        <source>The repeater feature is only available in licensed business markets.</source>
        <translation>La fonction relais n'est disponible que sur les marchés professionnels sous licence.</translation>
    </message>
    <message id="IDS_9308">
        <source>The model code can not be changed to this region.</source>
        <translation>Le code modèle ne peut pas être changé pour cette région.</translation>
    </message>
    <message id="IDS_9309">
        <source>No more channels can be added to this radio.</source>
        <translation>Impossible d'ajouter d'autres canaux à ce poste.</translation>
    </message>
    <message id="IDS_9310">
        <source>The name is too long. A channel name can hold at most 8 characters.</source>
        <translation>Le nom est trop long. Un nom de canal peut contenir au plus 8 caractères.</translation>
    </message>
    <message id="IDS_9311">
        <source>The power up text can hold only letters, digits, spaces and the signs the radio can show (no accented letters).</source>
        <translation>Le texte de démarrage ne peut contenir que des lettres, des chiffres, des espaces et les signes que le poste sait afficher (pas de lettres accentuées).</translation>
    </message>
    <message id="IDS_9400">
        <source>Receive/Transmit</source>
        <translation>Réception/Émission</translation>
    </message>
    <message id="IDS_9401">
        <source>Prog 1 (URB)</source>
        <translation>Prog 1 (en haut à droite)</translation>
    </message>
    <message id="IDS_9402">
        <source>Prog 2 (LLB)</source>
        <translation>Prog 2 (en bas à gauche)</translation>
    </message>
    <message id="IDS_9403">
        <source>Prog 3 (LRB)</source>
        <translation>Prog 3 (en bas à droite)</translation>
    </message>
    <message id="IDS_9404">
        <source>None</source>
        <translation>Aucun</translation>
    </message>
    <message id="IDS_9405">
        <source>MHz</source>
        <translation>MHz</translation>
    </message>
    <message id="IDS_9406">
        <source>Frequency</source>
        <translation>Fréquence</translation>
    </message>
    <message id="IDS_9407">
        <source>Frequency(Index)</source>
        <translation>Fréquence (index)</translation>
    </message>
    <message id="IDS_9408">
        <source>Enable</source>
        <translation>Activé</translation>
    </message>
    <message id="IDS_9409">
        <source>Channel #</source>
        <translation>Canal n°</translation>
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
        <translation>Bouton haut :</translation>
    </message>
    <message id="IDS_9413">
        <source>Tri-Color LED</source>
        <translation>LED tricolore</translation>
    </message>
    <message id="IDS_9414">
        <source>Spring Action Belt Clip</source>
        <translation>Clip de ceinture à ressort</translation>
    </message>
    <message id="IDS_9415">
        <source>Sorra</source>
        <translation>Sorra</translation>
    </message>
    <message id="IDS_9416">
        <source>Scroll up the menu items/change channel</source>
        <translation>Monter dans les menus/changer de canal</translation>
    </message>
    <message id="IDS_9417">
        <source>Scroll down the menu items/change channel</source>
        <translation>Descendre dans les menus/changer de canal</translation>
    </message>
    <message id="IDS_9418">
        <source>Zerva</source>
        <translation>Zerva</translation>
    </message>
    <message id="IDS_9419">
        <source>Push-to-Talk (PTT)</source>
        <translation>Alternat (PTT)</translation>
    </message>
    <message id="IDS_9420">
        <source>Power/Volume Knob</source>
        <translation>Bouton marche/volume</translation>
    </message>
    <message id="IDS_9421">
        <source>Model</source>
        <translation>Modèle</translation>
    </message>
    <message id="IDS_9422">
        <source>Model Number</source>
        <translation>Référence du modèle</translation>
    </message>
    <message id="IDS_9423">
        <source>Microphone</source>
        <translation>Microphone</translation>
    </message>
    <message id="IDS_9424">
        <source>Menu Mode</source>
        <translation>Mode menu</translation>
    </message>
    <message id="IDS_9425">
        <source>Menu Button:</source>
        <translation>Bouton menu :</translation>
    </message>
    <message id="IDS_9426">
        <source>Li-Ion Battery Pack</source>
        <translation>Batterie Li-ion</translation>
    </message>
    <message id="IDS_9427">
        <source>Down Button:</source>
        <translation>Bouton bas :</translation>
    </message>
    <message id="IDS_9428">
        <source>Pemba</source>
        <translation>Pemba</translation>
    </message>
    <message id="IDS_9429">
        <source>Channel Selector</source>
        <translation>Sélecteur de canal</translation>
    </message>
    <message id="IDS_9430">
        <source>Accessory Jack</source>
        <translation>Prise accessoire</translation>
    </message>
    <message id="IDS_9440">
        <source>The report could not be saved as %1.</source>
        <translation>Impossible d'enregistrer le rapport sous %1.</translation>
    </message>
    <message id="IDS_9441">
        <source>HTML Files</source>
        <translation>Fichiers HTML</translation>
    </message>
    <message id="IDS_9442">
        <source>PDF Files</source>
        <translation>Fichiers PDF</translation>
    </message>
    <message id="IDS_9460">
        <source>Cannot open the file %1.</source>
        <translation>Impossible d'ouvrir le fichier %1.</translation>
    </message>
    <message id="IDS_9461">
        <source>Contents</source>
        <translation>Sommaire</translation>
    </message>
    <message id="IDS_9462">
        <source>Help page</source>
        <translation>Page d'aide</translation>
    </message>
    <message id="IDS_9463">
        <source>Profile</source>
        <translation>Profil</translation>
    </message>
    <message id="IDS_9464">
        <source>&amp;Yes</source>
        <translation>&amp;Oui</translation>
    </message>
    <message id="IDS_9465">
        <source>&amp;No</source>
        <translation>&amp;Non</translation>
    </message>
    <message id="IDS_9700">
        <source>This is not a CHIRP CSV file: its first line does not name the columns Location and Frequency.</source>
        <translation>Ce n'est pas un fichier CSV CHIRP : sa première ligne ne nomme pas les colonnes Location et Frequency.</translation>
    </message>
    <message id="IDS_9701">
        <source>Line %1: %2</source>
        <translation>Ligne %1 : %2</translation>
    </message>
    <message id="IDS_9702">
        <source>The location &quot;%1&quot; is not a channel number.</source>
        <translation>L'emplacement « %1 » n'est pas un numéro de canal.</translation>
    </message>
    <message id="IDS_9703">
        <source>The radio has only %1 channels.</source>
        <translation>Le poste n'a que %1 canaux.</translation>
    </message>
    <message id="IDS_9704">
        <source>&quot;%1&quot; is not a frequency in MHz.</source>
        <translation>« %1 » n'est pas une fréquence en MHz.</translation>
    </message>
    <message id="IDS_9705">
        <source>Unknown tone mode &quot;%1&quot;.</source>
        <translation>Mode de tonalité inconnu « %1 ».</translation>
    </message>
    <message id="IDS_9706">
        <source>The tone %1 Hz is not in the code table and no customised tone slot is free.</source>
        <translation>La tonalité %1 Hz ne figure pas dans la table des codes et aucun emplacement de tonalité personnalisée n'est libre.</translation>
    </message>
    <message id="IDS_9707">
        <source>Unknown DCS code &quot;%1&quot;.</source>
        <translation>Code DCS inconnu « %1 ».</translation>
    </message>
    <message id="IDS_9708">
        <source>The mode &quot;%1&quot; is not supported: the radio works with FM and NFM.</source>
        <translation>Le mode « %1 » n'est pas pris en charge : le poste fonctionne en FM et NFM.</translation>
    </message>
    <message id="IDS_9709">
        <source>The duplex setting &quot;%1&quot; is not supported.</source>
        <translation>Le réglage duplex « %1 » n'est pas pris en charge.</translation>
    </message>
    <message id="IDS_9710">
        <source>Unknown power &quot;%1&quot;.</source>
        <translation>Puissance inconnue « %1 ».</translation>
    </message>
    <message id="IDS_9711">
        <source>Receive frequency %1 MHz: %2</source>
        <translation>Fréquence de réception %1 MHz : %2</translation>
    </message>
    <message id="IDS_9712">
        <source>Transmit frequency %1 MHz: %2</source>
        <translation>Fréquence d'émission %1 MHz : %2</translation>
    </message>
    <message id="IDS_9713">
        <source>The frequency %1 MHz allows only %2 kHz.</source>
        <translation>La fréquence %1 MHz n'autorise que %2 kHz.</translation>
    </message>
    <message id="IDS_9714">
        <source>The frequency %1 MHz allows only the power &quot;%2&quot;.</source>
        <translation>La fréquence %1 MHz n'autorise que la puissance « %2 ».</translation>
    </message>
    <message id="IDS_9715">
        <source>The name &quot;%1&quot; was not taken (%2) The channel is called &quot;%3&quot;.</source>
        <translation>Le nom « %1 » n'a pas été repris (%2) Le canal s'appelle « %3 ».</translation>
    </message>
    <message id="IDS_9716">
        <source>%1 of %2 rows imported.</source>
        <translation>%1 lignes sur %2 importées.</translation>
    </message>
    <message id="IDS_9717">
        <source>No row could be imported; the profile was not saved.</source>
        <translation>Aucune ligne n'a pu être importée ; le profil n'a pas été enregistré.</translation>
    </message>
    <message id="IDS_9718">
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
    <message id="IDS_9720">
        <source>&amp;Import CHIRP CSV...</source>
        <translation>&amp;Importer un CSV CHIRP...</translation>
    </message>
    <message id="IDS_9721">
        <source>&amp;Export CHIRP CSV...</source>
        <translation>E&amp;xporter un CSV CHIRP...</translation>
    </message>
    <message id="IDS_9722">
        <source>CHIRP CSV Files</source>
        <translation>Fichiers CSV CHIRP</translation>
    </message>
    <message id="IDS_9723">
        <source>Import CHIRP CSV</source>
        <translation>Importer un CSV CHIRP</translation>
    </message>
    <message id="IDS_9724">
        <source>Export CHIRP CSV</source>
        <translation>Exporter un CSV CHIRP</translation>
    </message>
    <message id="IDS_9725">
        <source>The file %1 could not be written.
%2</source>
        <translation>Impossible d'écrire le fichier %1.
%2</translation>
    </message>
    <message id="IDS_9726">
        <source>... and %1 more lines.</source>
        <translation>... et %1 lignes de plus.</translation>
    </message>
    <message id="IDS_9727">
        <source>The file counts its locations from 0: location N went to channel N + 1.</source>
        <translation>Le fichier compte ses emplacements à partir de 0 : l'emplacement N est allé au canal N + 1.</translation>
    </message>
    <message id="IDS_9728">
        <source>%1: bandwidth set to %2, power to %3, as this radio allows only these.</source>
        <translation>%1 : largeur de bande réglée sur %2, puissance sur %3, car ce poste n'autorise que ces valeurs.</translation>
    </message>
    <message id="IDS_9729">
        <source>%1: bandwidth set to %2, as this radio allows only this.</source>
        <translation>%1 : largeur de bande réglée sur %2, car ce poste n'autorise que cette valeur.</translation>
    </message>
    <message id="IDS_9730">
        <source>%1: power set to %2, as this radio allows only this.</source>
        <translation>%1 : puissance réglée sur %2, car ce poste n'autorise que cette valeur.</translation>
    </message>
    <message id="IDS_9731">
        <source>%1 rows were left out: the radio has only %2 channels.</source>
        <translation>%1 lignes ont été laissées de côté : le poste n'a que %2 canaux.</translation>
    </message>
    <message id="IDS_9732">
        <source>Channel &amp;order:</source>
        <translation>&amp;Ordre des canaux :</translation>
    </message>
    <message id="IDS_9733">
        <source>By location</source>
        <translation>Par emplacement</translation>
    </message>
    <message id="IDS_9734">
        <source>In file order from channel 1</source>
        <translation>Dans l'ordre du fichier à partir du canal 1</translation>
    </message>
    <message id="IDS_9735">
        <source>%1 rows</source>
        <translation>%1 lignes</translation>
    </message>
    <message id="IDS_9736">
        <source>1 row</source>
        <translation>1 ligne</translation>
    </message>
    <message id="IDS_9737">
        <source>1 row was left out: the radio has only %1 channels.</source>
        <translation>1 ligne a été laissée de côté : le poste n'a que %1 canaux.</translation>
    </message>
    <message id="IDS_9750">
        <source>%1 (process %2)</source>
        <translation>%1 (processus %2)</translation>
    </message>
    <message id="IDS_9751">
        <source>%1 is in use by %2. Try again when the port is free.</source>
        <translation>%1 est utilisé par %2. Réessayez quand le port sera libre.</translation>
    </message>
    <message id="IDS_9752">
        <source>The port %1 is gone: the cable was unplugged, or its driver let the port go. Plug the cable in again.</source>
        <translation>Le port %1 a disparu : le câble a été débranché ou son pilote a libéré le port. Rebranchez le câble.</translation>
    </message>
    <message id="IDS_9753">
        <source>No USB serial port found.</source>
        <translation>Aucun port série USB trouvé.</translation>
    </message>
    <message id="IDS_9754">
        <source>the programming cable</source>
        <translation>le câble de programmation</translation>
    </message>
    <message id="IDS_9755">
        <source>not the programming cable</source>
        <translation>pas le câble de programmation</translation>
    </message>
    <message id="IDS_9756">
        <source>this user can open it</source>
        <translation>cet utilisateur peut l'ouvrir</translation>
    </message>
    <message id="IDS_9757">
        <source>this user cannot open it: %1</source>
        <translation>cet utilisateur ne peut pas l'ouvrir : %1</translation>
    </message>
    <message id="IDS_9758">
        <source>%1: &quot;%2&quot;, %3, %4</source>
        <translation>%1 : « %2 », %3, %4</translation>
    </message>
    <message id="IDS_9800">
        <source>Cannot write %1: %2</source>
        <translation>Impossible d'écrire %1 : %2</translation>
    </message>
    <message id="IDS_9801">
        <source>it is a folder</source>
        <translation>c'est un dossier</translation>
    </message>
    <message id="IDS_9802">
        <source>it is not a regular file</source>
        <translation>ce n'est pas un fichier ordinaire</translation>
    </message>
    <message id="IDS_9803">
        <source>%1 is neither a regular file nor a device (a pipe, a socket or a folder?): a trace or a log is never written there.</source>
        <translation>%1 n'est ni un fichier ordinaire ni un périphérique (un tube, un socket ou un dossier ?) : une trace ou un journal n'y est jamais écrit.</translation>
    </message>
    <message id="IDS_9804">
        <source>The trace cannot be written (%1). The transfer goes on without it.</source>
        <translation>La trace ne peut pas être écrite (%1). Le transfert continue sans elle.</translation>
    </message>
    <message id="IDS_9805">
        <source>The batch log cannot be written (%1). The batch stops here, before the next radio.</source>
        <translation>Le journal de série ne peut pas être écrit (%1). La série s'arrête ici, avant le poste suivant.</translation>
    </message>
    <message id="IDS_9806">
        <source>serial unknown (port %1)</source>
        <translation>numéro de série inconnu (port %1)</translation>
    </message>
    <message id="IDS_9807">
        <source>channel %1 checksum</source>
        <translation>somme de contrôle du canal %1</translation>
    </message>
    <message id="IDS_9808">
        <source>memory byte %1</source>
        <translation>octet de mémoire %1</translation>
    </message>
    <message id="IDS_9809">
        <source>%1 does not read back as it was written</source>
        <translation>%1 ne se relit pas tel qu'il a été écrit</translation>
    </message>
    <message id="IDS_9840">
        <source>The profile %1 cannot be opened: %2</source>
        <translation>Impossible d'ouvrir le profil %1 : %2</translation>
    </message>
    <message id="IDS_9841">
        <source>the file does not exist.</source>
        <translation>le fichier n'existe pas.</translation>
    </message>
    <message id="IDS_9842">
        <source>it is a folder.</source>
        <translation>c'est un dossier.</translation>
    </message>
    <message id="IDS_9843">
        <source>it is not a regular file.</source>
        <translation>ce n'est pas un fichier ordinaire.</translation>
    </message>
    <message id="IDS_9844">
        <source>permission denied.</source>
        <translation>permission refusée.</translation>
    </message>
    <message id="IDS_9845">
        <source>it is larger than %1 bytes.</source>
        <translation>il dépasse %1 octets.</translation>
    </message>
    <message id="IDS_9847">
        <source>Do you want to write the backup back to the radio now?</source>
        <translation>Voulez-vous réécrire la sauvegarde dans la radio maintenant ?</translation>
    </message>
    <message id="IDS_9848">
        <source>Restore &amp;Backup...</source>
        <translation>Restaurer une &amp;sauvegarde...</translation>
    </message>
    <message id="IDS_9849">
        <source>Restore Backup</source>
        <translation>Restaurer une sauvegarde</translation>
    </message>
    <message id="IDS_9850">
        <source>&amp;Backups of radio %1 (newest first):</source>
        <translation>&amp;Sauvegardes de la radio %1 (les plus récentes d'abord) :</translation>
    </message>
    <message id="IDS_9851">
        <source>No radio answered. Connect the radio, switch it on and try again.</source>
        <translation>Aucune radio n'a répondu. Branchez la radio, allumez-la et réessayez.</translation>
    </message>
    <message id="IDS_9852">
        <source>There is no backup of radio %1 in %2.</source>
        <translation>Il n'y a aucune sauvegarde de la radio %1 dans %2.</translation>
    </message>
    <message id="IDS_9853">
        <source>The backup %1 cannot be read: %2</source>
        <translation>Impossible de lire la sauvegarde %1 : %2</translation>
    </message>
    <message id="IDS_9855">
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message id="IDS_9856">
        <source>it holds %1 bytes; a codeplug image holds %2.</source>
        <translation>elle contient %1 octets ; une image de codeplug en contient %2.</translation>
    </message>
    <message id="IDS_9880">
        <source>The e-mail program %1 could not start a message (exit status %2): no e-mail was sent.
Do you want to save the report with Save As instead?</source>
        <translation>Le programme de messagerie %1 n’a pas pu créer de message (code de sortie %2) : aucun e-mail n’a été envoyé.
Voulez-vous plutôt enregistrer le rapport avec Enregistrer sous ?</translation>
    </message>
    <message id="IDS_9881">
        <source>The report picture %1 cannot be loaded.</source>
        <translation>L’image de rapport %1 ne peut pas être chargée.</translation>
    </message>
    <message id="IDS_9900">
        <source>Trace Files</source>
        <translation>Fichiers de trace</translation>
    </message>
    <message id="IDS_9901">
        <source>Serial Trace File</source>
        <translation>Fichier de trace de la liaison série</translation>
    </message>
    <message id="IDS_9902">
        <source>&amp;Browse...</source>
        <translation>&amp;Parcourir...</translation>
    </message>
    <message id="IDS_9920">
        <source>&amp;Undo</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message id="IDS_9921">
        <source>&amp;Redo</source>
        <translation>&amp;Rétablir</translation>
    </message>
    <message id="IDS_9922">
        <source>&amp;Undo %1</source>
        <translation>&amp;Annuler : %1</translation>
    </message>
    <message id="IDS_9923">
        <source>&amp;Redo %1</source>
        <translation>&amp;Rétablir : %1</translation>
    </message>
    <message id="IDS_9924">
        <source>Change Setting</source>
        <translation>Modifier le réglage</translation>
    </message>
    <message id="IDS_9925">
        <source>Rename Channel</source>
        <translation>Renommer le canal</translation>
    </message>
    <message id="IDS_9926">
        <source>Change Channel</source>
        <translation>Modifier le canal</translation>
    </message>
    <message id="IDS_9927">
        <source>Add Channel</source>
        <translation>Ajouter un canal</translation>
    </message>
    <message id="IDS_9928">
        <source>Delete Channel</source>
        <translation>Supprimer le canal</translation>
    </message>
    <message id="IDS_9929">
        <source>Add Frequency</source>
        <translation>Ajouter une fréquence</translation>
    </message>
    <message id="IDS_9930">
        <source>Change Frequency</source>
        <translation>Modifier la fréquence</translation>
    </message>
    <message id="IDS_9931">
        <source>Delete Frequency</source>
        <translation>Supprimer la fréquence</translation>
    </message>
    <message id="IDS_9932">
        <source>Change Button</source>
        <translation>Modifier la touche</translation>
    </message>
    <message id="IDS_9933">
        <source>Reset Buttons</source>
        <translation>Réinitialiser les touches</translation>
    </message>
    <message id="IDS_9934">
        <source>Change Scan List</source>
        <translation>Modifier la liste de balayage</translation>
    </message>
    <message id="IDS_9935">
        <source>Import CHIRP CSV</source>
        <translation>Importer un CSV CHIRP</translation>
    </message>
    <message id="IDS_9936">
        <source>Change Customised Tone</source>
        <translation>Modifier la tonalité personnalisée</translation>
    </message>
    <message id="IDS_9937">
        <source>Change Audio Setting</source>
        <translation>Modifier le réglage audio</translation>
    </message>
    <message id="IDS_9960">
        <source>Do you want to run Factory Reset on the radio now?</source>
        <translation>Voulez-vous rétablir maintenant les réglages d'usine du poste ?</translation>
    </message>
    <message id="IDS_9961">
        <source>Reset Succeeded!</source>
        <translation>Réinitialisation réussie !</translation>
    </message>
    <message id="IDS_9962">
        <source>Saving the radio's backup…</source>
        <translation>Enregistrement de la sauvegarde du poste…</translation>
    </message>
    <message id="IDS_9963">
        <source>Writing…</source>
        <translation>Écriture…</translation>
    </message>
    <message id="IDS_9964">
        <source>Verifying…</source>
        <translation>Vérification…</translation>
    </message>
    <message id="IDS_9965">
        <source>The repeater station ID is invalid. It can hold at most 9 characters: the letters A-Z and a-z, the digits 0-9 and &quot;/&quot;.</source>
        <translation>L'identifiant du relais n'est pas valide. Il peut contenir au plus 9 caractères : les lettres A-Z et a-z, les chiffres 0-9 et &quot;/&quot;.</translation>
    </message>
    <message id="IDS_9966">
        <source>The Tx hangtime is out of the valid range: 0 to 30 seconds.</source>
        <translation>Le temps de maintien d'émission est hors de la plage valide : 0 à 30 secondes.</translation>
    </message>
    <message id="IDS_9967">
        <source>The Tx low battery time is out of the valid range: 0 to 120 seconds.</source>
        <translation>La durée d'émission en batterie faible est hors de la plage valide : 0 à 120 secondes.</translation>
    </message>
    <message id="IDS_9968">
        <source>%1   %2, %3-%4 MHz, %5 channels</source>
        <translation>%1   %2, %3-%4 MHz, %5 canaux</translation>
    </message>
    <message id="IDS_10000">
        <source>%1: %2 → %3</source>
        <translation>%1 : %2 → %3</translation>
    </message>
    <message id="IDS_10001">
        <source>Channel %1 %2</source>
        <translation>%2 du canal %1</translation>
    </message>
    <message id="IDS_10002">
        <source>Frequency %1: %2 → %3 MHz</source>
        <translation>Fréquence %1 : %2 → %3 MHz</translation>
    </message>
    <message id="IDS_10003">
        <source>Frequency %1 %2</source>
        <translation>Fréquence %1 %2</translation>
    </message>
    <message id="IDS_10004">
        <source>Customized tone %1</source>
        <translation>Tonalité personnalisée %1</translation>
    </message>
    <message id="IDS_10005">
        <source>Channel %1 added: %2</source>
        <translation>Canal %1 ajouté : %2</translation>
    </message>
    <message id="IDS_10006">
        <source>Channel %1 removed: %2</source>
        <translation>Canal %1 supprimé : %2</translation>
    </message>
    <message id="IDS_10007">
        <source>Frequency %1 added: %2 MHz</source>
        <translation>Fréquence %1 ajoutée : %2 MHz</translation>
    </message>
    <message id="IDS_10008">
        <source>Frequency %1 removed: %2 MHz</source>
        <translation>Fréquence %1 supprimée : %2 MHz</translation>
    </message>
    <message id="IDS_10009">
        <source>name</source>
        <translation>nom</translation>
    </message>
    <message id="IDS_10010">
        <source>receive frequency</source>
        <translation>fréquence de réception</translation>
    </message>
    <message id="IDS_10011">
        <source>receive tone</source>
        <translation>tonalité de réception</translation>
    </message>
    <message id="IDS_10012">
        <source>transmit frequency</source>
        <translation>fréquence d'émission</translation>
    </message>
    <message id="IDS_10013">
        <source>transmit tone</source>
        <translation>tonalité d'émission</translation>
    </message>
    <message id="IDS_10014">
        <source>receive bandwidth</source>
        <translation>largeur de bande en réception</translation>
    </message>
    <message id="IDS_10015">
        <source>transmit bandwidth</source>
        <translation>largeur de bande en émission</translation>
    </message>
    <message id="IDS_10016">
        <source>talkaround power</source>
        <translation>puissance en talkaround</translation>
    </message>
    <message id="IDS_10017">
        <source>repeater power</source>
        <translation>puissance du relais</translation>
    </message>
    <message id="IDS_10018">
        <source>repeater</source>
        <translation>relais</translation>
    </message>
    <message id="IDS_10019">
        <source>auto scan</source>
        <translation>balayage automatique</translation>
    </message>
    <message id="IDS_10020">
        <source>scramble</source>
        <translation>brouillage</translation>
    </message>
    <message id="IDS_10021">
        <source>in the scan list</source>
        <translation>dans la liste de balayage</translation>
    </message>
    <message id="IDS_10022">
        <source>bandwidth</source>
        <translation>largeur de bande</translation>
    </message>
    <message id="IDS_10023">
        <source>power</source>
        <translation>puissance</translation>
    </message>
    <message id="IDS_10024">
        <source>compander</source>
        <translation>compandeur</translation>
    </message>
    <message id="IDS_10025">
        <source>Codeplug password</source>
        <translation>Mot de passe du codeplug</translation>
    </message>
    <message id="IDS_10026">
        <source>Disable all LEDs</source>
        <translation>Désactiver toutes les LED</translation>
    </message>
    <message id="IDS_10027">
        <source>Disable restore factory default</source>
        <translation>Désactiver la restauration des réglages d'usine</translation>
    </message>
    <message id="IDS_10028">
        <source>Backlight</source>
        <translation>Rétroéclairage</translation>
    </message>
    <message id="IDS_10029">
        <source>Transmit time-out timer</source>
        <translation>Minuterie de temporisation d'émission</translation>
    </message>
    <message id="IDS_10030">
        <source>CT reverse burst</source>
        <translation>Salve inverse CT</translation>
    </message>
    <message id="IDS_10031">
        <source>VOX level</source>
        <translation>Niveau VOX</translation>
    </message>
    <message id="IDS_10032">
        <source>iVOX level</source>
        <translation>Niveau iVOX</translation>
    </message>
    <message id="IDS_10033">
        <source>Microphone gain</source>
        <translation>Gain du microphone</translation>
    </message>
    <message id="IDS_10034">
        <source>Accessory microphone gain</source>
        <translation>Gain du microphone accessoire</translation>
    </message>
    <message id="IDS_10035">
        <source>Battery type</source>
        <translation>Type de batterie</translation>
    </message>
    <message id="IDS_10036">
        <source>Disable battery save</source>
        <translation>Désactiver l'économie de batterie</translation>
    </message>
    <message id="IDS_10037">
        <source>Channels in use</source>
        <translation>Canaux utilisés</translation>
    </message>
    <message id="IDS_10038">
        <source>Power-up text</source>
        <translation>Texte de démarrage</translation>
    </message>
    <message id="IDS_10039">
        <source>Roger beep tone</source>
        <translation>Bip de fin d'émission</translation>
    </message>
    <message id="IDS_10040">
        <source>Disable selectable scramble</source>
        <translation>Désactiver le brouillage sélectionnable</translation>
    </message>
    <message id="IDS_10041">
        <source>Backlight time-out</source>
        <translation>Durée du rétroéclairage</translation>
    </message>
    <message id="IDS_10042">
        <source>Call tone</source>
        <translation>Tonalité d'appel</translation>
    </message>
    <message id="IDS_10043">
        <source>Keypad lock</source>
        <translation>Verrouillage du clavier</translation>
    </message>
    <message id="IDS_10044">
        <source>Keypad beep</source>
        <translation>Bip du clavier</translation>
    </message>
    <message id="IDS_10045">
        <source>Show the c&amp;hanges before each write</source>
        <translation>Afficher les c&amp;hangements avant chaque écriture</translation>
    </message>
    <message id="IDS_10046">
        <source>Changes to the Radio</source>
        <translation>Changements dans le poste</translation>
    </message>
    <message id="IDS_10047">
        <source>The write will change %1 fields of the radio %2:</source>
        <translation>L'écriture changera %1 champs du poste %2 :</translation>
    </message>
    <message id="IDS_10048">
        <source>No changes: the radio already holds this profile.</source>
        <translation>Aucun changement : le poste contient déjà ce profil.</translation>
    </message>
    <message id="IDS_10049">
        <source>Skip the write?</source>
        <translation>Ignorer l'écriture ?</translation>
    </message>
    <message id="IDS_10050">
        <source>Program &amp;Several Radios...</source>
        <translation>Programmer &amp;plusieurs radios...</translation>
    </message>
    <message id="IDS_10051">
        <source>Program Several Radios</source>
        <translation>Programmer plusieurs radios</translation>
    </message>
    <message id="IDS_10052">
        <source>Written and verified</source>
        <translation>Écrite et vérifiée</translation>
    </message>
    <message id="IDS_10053">
        <source>Written: %1, failed: %2, elapsed %3, %4 radios per hour</source>
        <translation>Écrites : %1, échecs : %2, écoulé %3, %4 radios par heure</translation>
    </message>
    <message id="IDS_10054">
        <source>Stopped before the write: nothing was written to this radio.</source>
        <translation>Arrêté avant l'écriture : rien n'a été écrit dans ce poste.</translation>
    </message>
    <message id="IDS_10055">
        <source>Waiting for a radio on %1...</source>
        <translation>En attente d'un poste sur %1...</translation>
    </message>
    <message id="IDS_10056">
        <source>Radio %1 is done: unplug it and connect the next one.</source>
        <translation>Le poste %1 est terminé : débranchez-le et branchez le suivant.</translation>
    </message>
    <message id="IDS_10057">
        <source>Radio %1: %2</source>
        <translation>Radio %1 : %2</translation>
    </message>
    <message id="IDS_10058">
        <source>Stopping after the current radio...</source>
        <translation>Arrêt après le poste en cours...</translation>
    </message>
    <message id="IDS_10059">
        <source>Stopped. Press Start to go on.</source>
        <translation>Arrêté. Appuyez sur Démarrer pour continuer.</translation>
    </message>
    <message id="IDS_10060">
        <source>&amp;Apply this answer to every radio in this run</source>
        <translation>&amp;Appliquer cette réponse à toutes les radios de cette série</translation>
    </message>
    <message id="IDS_10061">
        <source>No.</source>
        <translation>N°</translation>
    </message>
    <message id="IDS_10062">
        <source>Serial number</source>
        <translation>Numéro de série</translation>
    </message>
    <message id="IDS_10063">
        <source>Model</source>
        <translation>Modèle</translation>
    </message>
    <message id="IDS_10064">
        <source>Firmware</source>
        <translation>Micrologiciel</translation>
    </message>
    <message id="IDS_10065">
        <source>Time</source>
        <translation>Heure</translation>
    </message>
    <message id="IDS_10066">
        <source>Result</source>
        <translation>Résultat</translation>
    </message>
    <message id="IDS_10067">
        <source>Backup</source>
        <translation>Sauvegarde</translation>
    </message>
    <message id="IDS_10068">
        <source>&amp;Start</source>
        <translation>&amp;Démarrer</translation>
    </message>
    <message id="IDS_10069">
        <source>S&amp;top</source>
        <translation>A&amp;rrêter</translation>
    </message>
    <message id="IDS_10070">
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message id="IDS_10071">
        <source>Log of the Radios Written</source>
        <translation>Journal des radios écrites</translation>
    </message>
    <message id="IDS_10072">
        <source>Each radio connected is written with the profile %1 and verified. Log: %2</source>
        <translation>Chaque poste branché est écrit avec le profil %1 puis vérifié. Journal : %2</translation>
    </message>
    <message id="IDS_10073">
        <source>&amp;Radios:</source>
        <translation>&amp;Radios :</translation>
    </message>
    <message id="IDS_10074">
        <source>Connect the first radio and press Start.</source>
        <translation>Branchez le premier poste et appuyez sur Démarrer.</translation>
    </message>
    <message id="IDS_10080">
        <source>The profile was not saved.
%1</source>
        <translation>Le profil n'a pas été enregistré.
%1</translation>
    </message>
    <message id="IDS_10081">
        <source>the profile holds characters that its character set (%1) cannot store.</source>
        <translation>le profil contient des caractères que son jeu de caractères (%1) ne peut pas enregistrer.</translation>
    </message>
    <message id="IDS_10100">
        <source>Channel %1: %2 MHz is outside this radio's range (%3). Nothing was written.</source>
        <translation>Canal %1 : %2 MHz est hors de la plage de cette radio (%3). Rien n'a été écrit.</translation>
    </message>
    <message id="IDS_10101">
        <source>Frequency %1 (%2 MHz) cannot be held by this radio's synthesizer (base %3). Nothing was written.</source>
        <translation>La fréquence %1 (%2 MHz) ne peut pas être tenue par le synthétiseur de cette radio (base %3). Rien n'a été écrit.</translation>
    </message>
    <message id="IDS_10102">
        <source>%1: %2 cannot be held by this radio (codes up to %3): written as %4</source>
        <translation>%1 : %2 ne peut pas être tenu par cette radio (codes jusqu'à %3) : écrit comme %4</translation>
    </message>
    <message id="IDS_10103">
        <source>Customized tones 124-129: this radio has none (codes up to %1); they are not written.</source>
        <translation>Tonalités personnalisées 124-129 : cette radio n'en a pas (codes jusqu'à %1) ; elles ne sont pas écrites.</translation>
    </message>
    <message id="IDS_10104">
        <source>This radio cannot hold every code of the profile:
%1

Do you want to continue?</source>
        <translation>Cette radio ne peut pas tenir tous les codes du profil :
%1

Voulez-vous continuer ?</translation>
    </message>
    <message id="IDS_10105">
        <source>frequency %1 (%2 MHz written, the radio uses %3 MHz)</source>
        <translation>fréquence %1 (%2 MHz écrit, la radio utilise %3 MHz)</translation>
    </message>
    <message id="IDS_10106">
        <source>transmit %1, receive %2</source>
        <translation>émission %1, réception %2</translation>
    </message>
    <message id="IDS_10107">
        <source>this channel transmits with its receive settings: %1 became %2 both ways.</source>
        <translation>ce canal émet avec ses réglages de réception : %1 est devenu %2 dans les deux sens.</translation>
    </message>
    <message id="IDS_10109">
        <source>%1 (not in the list)</source>
        <translation>%1 (pas dans la liste)</translation>
    </message>
    <message id="IDS_10110">
        <source>Enable programming mode</source>
        <translation>Activer le mode de programmation</translation>
    </message>
    <message id="IDS_10111">
        <source>The profile uses %1 channels; this radio has %2. Nothing was written.</source>
        <translation>Le profil utilise %1 canaux ; cette radio en a %2. Rien n'a été écrit.</translation>
    </message>
    <message id="IDS_10112">
        <source>A channel name can hold only the letters A-Z and a-z, the digits 0-9, spaces and the signs - _ . / + * # ( ) ! (no accented letters). Please specify a different name.</source>
        <translation>Un nom de canal ne peut contenir que les lettres A-Z et a-z, les chiffres 0-9, des espaces et les signes - _ . / + * # ( ) ! (pas de lettres accentuées). Veuillez indiquer un autre nom.</translation>
    </message>
    <message id="IDS_10150">
        <source>The cable returned a request otherwise than it was sent (line noise or a faulty cable).</source>
        <translation>Le câble a renvoyé une requête autrement qu'elle a été envoyée (parasites sur la ligne ou câble défectueux).</translation>
    </message>
    <message id="IDS_10151">
        <source>The profile holds a value no radio can take: %1 %2=&quot;%3&quot; is outside its range %4.</source>
        <translation>Le profil contient une valeur qu'aucune radio ne peut recevoir : %1 %2=&quot;%3&quot; est hors de sa plage %4.</translation>
    </message>
    <message id="IDS_10152">
        <source>The profile holds a value no radio can take: %1 %2=&quot;%3&quot; points into a table that has no entries.</source>
        <translation>Le profil contient une valeur qu'aucune radio ne peut recevoir : %1 %2=&quot;%3&quot; pointe dans une table sans entrée.</translation>
    </message>
    <message id="IDS_10153">
        <source>The cable state cannot be shared with your other running copies of this program: no folder that only you can reach was found (%1 belongs to another user, is a link or is open to others). This copy watches the cable by itself.</source>
        <translation>L'état du câble ne peut pas être partagé avec vos autres copies de ce programme en cours d'exécution : aucun dossier accessible à vous seul n'a été trouvé (%1 appartient à un autre utilisateur, est un lien ou est ouvert aux autres). Cette copie surveille le câble seule.</translation>
    </message>
    <message id="IDS_10154">
        <source>The cable map %1 is not yours alone (another owner, a link or open to others) and was not used. This copy of the program watches the cable by itself.</source>
        <translation>La table du câble %1 n'est pas à vous seul (autre propriétaire, lien ou ouverte aux autres) et n'a pas été utilisée. Cette copie du programme surveille le câble seule.</translation>
    </message>
    <message id="IDS_10155">
        <source>Files opened while this program runs will start another copy of it: no folder that only you can reach was found for handing them over (%1 belongs to another user, is a link or is open to others).</source>
        <translation>Les fichiers ouverts pendant que ce programme tourne en démarreront une autre copie : aucun dossier accessible à vous seul n'a été trouvé pour les lui transmettre (%1 appartient à un autre utilisateur, est un lien ou est ouvert aux autres).</translation>
    </message>
    <message id="IDS_10156">
        <source>This image was read from another radio (serial number %1); the radio connected is %2. Write it to this radio anyway?</source>
        <translation>Cette image a été lue dans une autre radio (numéro de série %1) ; la radio connectée est %2. L'écrire quand même dans cette radio ?</translation>
    </message>
    <message id="IDS_10157">
        <source>of unknown serial number</source>
        <translation>de numéro de série inconnu</translation>
    </message>
    <message id="IDS_10158">
        <source>The radio now holds the new codeplug, but it could not be read back: the write is unverified.</source>
        <translation>La radio contient maintenant le nouveau codeplug, mais il n'a pas pu être relu : l'écriture n'est pas vérifiée.</translation>
    </message>
    <message id="IDS_10200">
        <source>%1 has been changed on disk since this profile was opened or last saved (another program or another copy of this one saved it).

Yes: overwrite it with this profile (the other changes are lost).
No: save this profile as another file.
Cancel: do not save.</source>
        <translation>%1 a été modifié sur le disque depuis l'ouverture ou le dernier enregistrement de ce profil (un autre programme ou une autre copie de celui-ci l'a enregistré).

Oui : l'écraser avec ce profil (les autres modifications sont perdues).
Non : enregistrer ce profil dans un autre fichier.
Annuler : ne pas enregistrer.</translation>
    </message>
    <message id="IDS_10201">
        <source>tavocps: no display was found (DISPLAY and WAYLAND_DISPLAY are not set, or name a display that does not answer), so the program cannot open its window. Start it in a desktop session; tavocps-cli works without a display.</source>
        <translation>tavocps : aucun affichage n'a été trouvé (DISPLAY et WAYLAND_DISPLAY ne sont pas définis, ou désignent un affichage qui ne répond pas), le programme ne peut donc pas ouvrir sa fenêtre. Lancez-le dans une session de bureau ; tavocps-cli fonctionne sans affichage.</translation>
    </message>
    <message id="IDS_10202">
        <source>Reset done: the radio has restarted.</source>
        <translation>Réinitialisation effectuée : le poste a redémarré.</translation>
    </message>
    <message id="IDS_10203">
        <source>Factory Reset done: the radio has been set back to its factory settings and has restarted.</source>
        <translation>Réinitialisation d'usine effectuée : le poste a retrouvé ses réglages d'usine et a redémarré.</translation>
    </message>
    <message id="IDS_10204">
        <source>Profile%1</source>
        <translation>Profil%1</translation>
    </message>
    <message id="IDS_10205">
        <source>Check that the radio is switched on and that the programming cable is plugged into the radio and the computer.</source>
        <translation>Vérifiez que le poste est allumé et que le câble de programmation est branché sur le poste et sur l'ordinateur.</translation>
    </message>
    <message id="IDS_10206">
        <source>The write will change 1 field of the radio %2:</source>
        <translation>L'écriture changera 1 champ du poste %2 :</translation>
    </message>
    <message id="IDS_10250">
        <source>unknown command %1</source>
        <translation>commande inconnue %1</translation>
    </message>
    <message id="IDS_10251">
        <source>wrong number of arguments</source>
        <translation>nombre d'arguments incorrect</translation>
    </message>
    <message id="IDS_10252">
        <source>the option %1 does not belong to the command %2</source>
        <translation>l'option %1 n'appartient pas à la commande %2</translation>
    </message>
    <message id="IDS_10253">
        <source>the option %1 needs a value</source>
        <translation>l'option %1 demande une valeur</translation>
    </message>
    <message id="IDS_10254">
        <source>the option %1 takes no value</source>
        <translation>l'option %1 ne prend pas de valeur</translation>
    </message>
    <message id="IDS_10255">
        <source>no command given</source>
        <translation>aucune commande donnée</translation>
    </message>
    <message id="IDS_10256">
        <source>the options %1 and %2 exclude each other</source>
        <translation>les options %1 et %2 s'excluent</translation>
    </message>
    <message id="IDS_10257">
        <source>unknown option %1</source>
        <translation>option inconnue %1</translation>
    </message>
    <message id="IDS_10258">
        <source>it is larger than %1 bytes</source>
        <translation>il dépasse %1 octets</translation>
    </message>
    <message id="IDS_10259">
        <source>Cannot open %1: %2</source>
        <translation>Impossible d'ouvrir %1 : %2</translation>
    </message>
    <message id="IDS_10260">
        <source>Cannot read %1: %2</source>
        <translation>Impossible de lire %1 : %2</translation>
    </message>
    <message id="IDS_10261">
        <source>Cannot read the standard input: %1</source>
        <translation>Impossible de lire l'entrée standard : %1</translation>
    </message>
    <message id="IDS_10262">
        <source>Cannot write to the standard output: %1</source>
        <translation>Impossible d'écrire sur la sortie standard : %1</translation>
    </message>
    <message id="IDS_10263">
        <source>%1 is not a codeplug image: it holds %2 bytes, an image holds %3.</source>
        <translation>%1 n'est pas une image de codeplug : il contient %2 octets, une image en contient %3.</translation>
    </message>
    <message id="IDS_10264">
        <source>%1 is not a codeplug image: it is longer than %2 bytes.</source>
        <translation>%1 n'est pas une image de codeplug : il dépasse %2 octets.</translation>
    </message>
    <message id="IDS_10265">
        <source>The profile %1 was not loaded.</source>
        <translation>Le profil %1 n'a pas été chargé.</translation>
    </message>
    <message id="IDS_10266">
        <source>Cannot open the profile %1: %2</source>
        <translation>Impossible d'ouvrir le profil %1 : %2</translation>
    </message>
    <message id="IDS_10267">
        <source>%1 is not a profile: %2 (a profile is a few kilobytes).</source>
        <translation>%1 n'est pas un profil : %2 (un profil fait quelques kilo-octets).</translation>
    </message>
    <message id="IDS_10268">
        <source>Cannot read the profile %1: %2</source>
        <translation>Impossible de lire le profil %1 : %2</translation>
    </message>
    <message id="IDS_10269">
        <source>%1: valid</source>
        <translation>%1 : valide</translation>
    </message>
    <message id="IDS_10270">
        <source>No element %1 in the profile.</source>
        <translation>Aucun élément %1 dans le profil.</translation>
    </message>
    <message id="IDS_10271">
        <source>No attribute %1 on the element %2.</source>
        <translation>Aucun attribut %1 sur l'élément %2.</translation>
    </message>
    <message id="IDS_10272">
        <source>The element %1 takes no new children.</source>
        <translation>L'élément %1 n'accepte pas de nouveaux enfants.</translation>
    </message>
    <message id="IDS_10273">
        <source>The rules allow no further child under %1: it holds %2, as many as this radio takes.</source>
        <translation>Les règles n'autorisent aucun autre enfant sous %1 : il en contient %2, autant que cette radio en accepte.</translation>
    </message>
    <message id="IDS_10274">
        <source>The rules added no child under %1.</source>
        <translation>Les règles n'ont ajouté aucun enfant sous %1.</translation>
    </message>
    <message id="IDS_10275">
        <source>No child %1 under %2: it has %3 (counted from 0).</source>
        <translation>Aucun enfant %1 sous %2 : il en a %3 (comptés à partir de 0).</translation>
    </message>
    <message id="IDS_10276">
        <source>INDEX must be a number</source>
        <translation>INDEX doit être un nombre</translation>
    </message>
    <message id="IDS_10277">
        <source>read needs --image OUT or --profile OUT.kp2</source>
        <translation>read demande --image OUT ou --profile OUT.kp2</translation>
    </message>
    <message id="IDS_10278">
        <source>the option %1 needs %2</source>
        <translation>l'option %1 demande %2</translation>
    </message>
    <message id="IDS_10279">
        <source>write --image IMG takes no PROFILE and no --batch</source>
        <translation>write --image IMG ne prend ni PROFILE, ni --password, --verify, --batch ou --dry-run</translation>
    </message>
    <message id="IDS_10280">
        <source>write needs PROFILE or --image IMG</source>
        <translation>write demande PROFILE ou --image IMG</translation>
    </message>
    <message id="IDS_10281">
        <source>--dry-run writes nothing: no --batch or --verify with it</source>
        <translation>--dry-run n'écrit rien : ni --batch ni --verify avec lui</translation>
    </message>
    <message id="IDS_10282">
        <source>The profile read from the radio was not loaded.</source>
        <translation>Le profil lu dans la radio n'a pas été chargé.</translation>
    </message>
    <message id="IDS_10283">
        <source>only one of the files can be - (the standard input)</source>
        <translation>un seul des fichiers peut être - (l'entrée standard)</translation>
    </message>
    <message id="IDS_10284">
        <source>the report is handout or detailed, not %1</source>
        <translation>le rapport est handout ou detailed, pas %1</translation>
    </message>
    <message id="IDS_10285">
        <source>name the report's form with --format htm or --format pdf</source>
        <translation>indiquez la forme du rapport avec --format htm ou --format pdf</translation>
    </message>
    <message id="IDS_10286">
        <source>The profile %1 was saved.</source>
        <translation>Le profil %1 a été enregistré.</translation>
    </message>
    <message id="IDS_10287">
        <source>it is a symbolic link that another user made in a shared folder; it is not followed.</source>
        <translation>c'est un lien symbolique créé par un autre utilisateur dans un dossier partagé ; il n'est pas suivi.</translation>
    </message>
    <message id="IDS_10288">
        <source>Rows left out because their locations lie beyond the radio's %1 channels: %2 (locations %3 to %4).</source>
        <translation>Lignes omises parce que leurs emplacements dépassent les %1 canaux de la radio : %2 (emplacements %3 à %4).</translation>
    </message>
    <message id="IDS_10289">
        <source>To fill the channels one after another in file order, import with --in-file-order.</source>
        <translation>Pour remplir les canaux l'un après l'autre dans l'ordre du fichier, importez avec --in-file-order.</translation>
    </message>
    <message id="IDS_10290">
        <source>Import the file again, filling the channels in file order?</source>
        <translation>Importer de nouveau le fichier en remplissant les canaux dans l'ordre du fichier ?</translation>
    </message>
    <message id="IDS_10291">
        <source>The tone mode &quot;%1&quot; (CHIRP's reverse mode) is not supported by this radio.</source>
        <translation>Le mode de tonalité &quot;%1&quot; (le mode inversé de CHIRP) n'est pas pris en charge par cette radio.</translation>
    </message>
    <message id="IDS_10292">
        <source>The DCS code %1 is not one of this radio's codes.</source>
        <translation>Le code DCS %1 n'est pas l'un des codes de cette radio.</translation>
    </message>
    <message id="IDS_10293">
        <source>DCS %1 with inverted polarity (R in DtcsPolarity): this radio has no inverted codes.</source>
        <translation>DCS %1 en polarité inversée (R dans DtcsPolarity) : cette radio n'a pas de codes inversés.</translation>
    </message>
    <message id="IDS_10294">
        <source>Duplex &quot;%1&quot; needs the frequency offset in the Offset column, which is empty.</source>
        <translation>Le duplex &quot;%1&quot; demande le décalage de fréquence dans la colonne Offset, qui est vide.</translation>
    </message>
    <message id="IDS_10295">
        <source>not a PMR446 channel.</source>
        <translation>pas un canal PMR446.</translation>
    </message>
    <message id="IDS_10296">
        <source>This is not a CHIRP CSV file: its first line reads &quot;%1&quot;; a CHIRP file names its columns Location, Name, Frequency and so on, with capitals, separated by commas.</source>
        <translation>Ce n'est pas un fichier CSV de CHIRP : sa première ligne est &quot;%1&quot; ; un fichier CHIRP nomme ses colonnes Location, Name, Frequency et ainsi de suite, avec des majuscules, séparées par des virgules.</translation>
    </message>
    <message id="IDS_10297">
        <source>Location %1 was given already on line %2: this row replaced it.</source>
        <translation>L'emplacement %1 a déjà été donné à la ligne %2 : cette ligne l'a remplacé.</translation>
    </message>
    <message id="IDS_10298">
        <source>The name &quot;%1&quot; was cut to &quot;%2&quot; (8 characters).</source>
        <translation>Le nom &quot;%1&quot; a été raccourci en &quot;%2&quot; (8 caractères).</translation>
    </message>
    <message id="IDS_10299">
        <source>Channel %1 (%2): a CHIRP row holds one mode, so it is written as %3 and its transmit bandwidth of %4 kHz is not kept.</source>
        <translation>Canal %1 (%2) : une ligne CHIRP ne contient qu'un mode ; il est donc écrit en %3 et sa largeur de bande d'émission de %4 kHz n'est pas conservée.</translation>
    </message>
    <message id="IDS_10300">
        <source>Page %1 of %2</source>
        <translation>Page %1 sur %2</translation>
    </message>
    <message id="IDS_10301">
        <source>&amp;Paper:</source>
        <translation>&amp;Papier :</translation>
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
        <translation>L'envoi par e-mail nécessite le programme xdg-email, qui n'est pas installé. Installez le paquet xdg-utils et réessayez.</translation>
    </message>
    <message id="IDS_10305">
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message id="IDS_10306">
        <source>Alkaline Batteries</source>
        <translation>Piles alcalines</translation>
    </message>
    <message id="IDS_10400">
        <source>serial unknown (port %1, %2)</source>
        <translation>numéro de série inconnu (port %1, %2)</translation>
    </message>
    <message id="IDS_10401">
        <source>Connect it again to write it once more; should the same difference come back, write back its previous image and have the radio checked.</source>
        <translation>Rebranchez-le pour l'écrire une nouvelle fois ; si la même différence revient, réécrivez son image précédente et faites vérifier le poste.</translation>
    </message>
    <message id="IDS_10402">
        <source>Connect it again: it is written and verified once more.</source>
        <translation>Rebranchez-le : il est écrit et vérifié une nouvelle fois.</translation>
    </message>
    <message id="IDS_10403">
        <source>Stopped before the write: the radio's password was not entered, so nothing was written to it. Connect it again and enter its password, or set it aside.</source>
        <translation>Arrêté avant l'écriture : le mot de passe du poste n'a pas été saisi, rien n'y a donc été écrit. Rebranchez-le et saisissez son mot de passe, ou mettez-le de côté.</translation>
    </message>
    <message id="IDS_10404">
        <source>Stopped before the write: the question &quot;%1&quot; was answered %2, so nothing was written to this radio. Connect it again and answer Yes to write it.</source>
        <translation>Arrêté avant l'écriture : la question « %1 » a reçu la réponse %2, rien n'a donc été écrit dans ce poste. Rebranchez-le et répondez Oui pour l'écrire.</translation>
    </message>
    <message id="IDS_10405">
        <source>No</source>
        <translation>Non</translation>
    </message>
    <message id="IDS_10406">
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message id="IDS_10407">
        <source>Wrong band: this radio (%1) works in another frequency band than the radios of the profile, so nothing was written to it. Write it with a profile made for its band.</source>
        <translation>Mauvaise bande : ce poste (%1) fonctionne dans une autre bande de fréquences que les postes du profil, rien n'y a donc été écrit. Écrivez-le avec un profil fait pour sa bande.</translation>
    </message>
    <message id="IDS_10408">
        <source>It refused the first block, so its memory is unchanged. Set it aside and check whether it is locked against programming.</source>
        <translation>Il a refusé le premier bloc, sa mémoire est donc inchangée. Mettez-le de côté et vérifiez s'il est verrouillé contre la programmation.</translation>
    </message>
    <message id="IDS_10409">
        <source>Nothing was written to this radio. Check that it is switched on and firmly connected, then connect it again.</source>
        <translation>Rien n'a été écrit dans ce poste. Vérifiez qu'il est allumé et bien branché, puis rebranchez-le.</translation>
    </message>
    <message id="IDS_10410">
        <source>The radio %1 was already written in this run (radio %2): unplug it and connect the next one.</source>
        <translation>Le poste %1 a déjà été écrit pendant cette série (poste %2) : débranchez-le et branchez le suivant.</translation>
    </message>
    <message id="IDS_10411">
        <source>CSV logs</source>
        <translation>Journaux CSV</translation>
    </message>
    <message id="IDS_10412">
        <source>Password of the radio %1 on %2</source>
        <translation>Mot de passe du poste %1 sur %2</translation>
    </message>
    <message id="IDS_10413">
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message id="IDS_10414">
        <source>Waiting for a radio</source>
        <translation>En attente d'un poste</translation>
    </message>
    <message id="IDS_10415">
        <source>Done: %1</source>
        <translation>Terminé : %1</translation>
    </message>
    <message id="IDS_10416">
        <source>Failed: %1</source>
        <translation>Échec : %1</translation>
    </message>
    <message id="IDS_10417">
        <source>Stopped</source>
        <translation>Arrêté</translation>
    </message>
    <message id="IDS_10418">
        <source>Unplug it and connect the next one.</source>
        <translation>Débranchez-le et branchez le suivant.</translation>
    </message>
    <message id="IDS_10419">
        <source>The profile %1 has changes that are not saved. Save it before the radios are written, so that the log names the file they hold? No writes it as it is and logs it as unsaved.</source>
        <translation>Le profil %1 a des modifications non enregistrées. L'enregistrer avant d'écrire les postes, afin que le journal nomme le fichier qu'ils contiennent ? Non l'écrit tel quel et le journalise comme non enregistré.</translation>
    </message>
    <message id="IDS_10420">
        <source>%1 (unsaved)</source>
        <translation>%1 (non enregistré)</translation>
    </message>
    <message id="IDS_10421">
        <source>Ports</source>
        <translation>Ports</translation>
    </message>
    <message id="IDS_10422">
        <source>Radio %1: %2</source>
        <translation>Poste %1 : %2</translation>
    </message>
    <message id="IDS_10423">
        <source>--port may be given more than once only with write --batch.</source>
        <translation>--port ne peut être donné plusieurs fois qu'avec write --batch.</translation>
    </message>
    <message id="IDS_57345">
        <source>Ready</source>
        <translation>Prêt</translation>
    </message>
    <message id="IDS_59137">
        <source>CAP</source>
        <translation>MAJ</translation>
    </message>
    <message id="IDS_59138">
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message id="IDS_59139">
        <source>SCRL</source>
        <translation>DEF</translation>
    </message>
    <message id="IDS_61699">
        <source>Save changes to %1?</source>
        <translation>Enregistrer les modifications de %1 ?</translation>
    </message>
</context>
</TS>
