; Die eigenen Texte des Installationsprogramms auf Deutsch.
LangString SectionProgram ${LANG_GERMAN} "Tarnholm"
LangString SectionDesktop ${LANG_GERMAN} "Verknüpfung auf dem Desktop"
LangString ShortcutComment ${LANG_GERMAN} "Computer prüfen, Einstellungen wählen und Tarnholm starten"
LangString NeedAdmin ${LANG_GERMAN} "Das Setup benötigt Administratorrechte: Es installiert Tarnholm für alle Spieler dieses Computers in einen gemeinsamen Ordner und registriert es für den ganzen Computer.$\r$\n$\r$\nBitte starten Sie das Setup erneut als Administrator (Rechtsklick und $\"Als Administrator ausführen$\")."
LangString FolderNotWritable ${LANG_GERMAN} "Das Setup kann nicht in den Ordner$\r$\n$INSTDIR$\r$\nschreiben.$\r$\n$\r$\nTarnholm wurde nicht installiert. Bitte wählen Sie einen anderen Ordner oder stellen Sie sicher, dass Sie in diesen schreiben dürfen."
LangString DiskFull ${LANG_GERMAN} "Auf dem Laufwerk von$\r$\n$INSTDIR$\r$\nist nicht genug Platz frei.$\r$\n$\r$\nTarnholm benötigt $1 MB und wurde nicht installiert. Bitte schaffen Sie Platz oder wählen Sie ein anderes Laufwerk."
LangString RecordFailed ${LANG_GERMAN} "Das Setup konnte Tarnholm nicht bei Windows registrieren; Tarnholm ist daher nicht vollständig installiert. Bitte führen Sie das Setup erneut aus."
LangString LauncherRunning ${LANG_GERMAN} "Tarnholm läuft aus dem Ordner$\r$\n$INSTDIR$\r$\n$\r$\nBitte schließen Sie den Tarnholm-Launcher und das Spiel und klicken Sie dann auf Wiederholen. Abbrechen lässt Tarnholm, wie es ist."
