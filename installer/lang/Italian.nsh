; I testi propri del programma di installazione, in italiano.
LangString SectionProgram ${LANG_ITALIAN} "Tarnholm"
LangString SectionDesktop ${LANG_ITALIAN} "Collegamento sul desktop"
LangString ShortcutComment ${LANG_ITALIAN} "Verifica il computer, scegli le impostazioni e avvia Tarnholm"
LangString NeedAdmin ${LANG_ITALIAN} "L'installazione richiede i diritti di amministratore: installa Tarnholm per tutti i giocatori di questo computer in una cartella condivisa e lo registra per l'intero computer.$\r$\n$\r$\nAvvia di nuovo l'installazione come amministratore (clic destro e $\"Esegui come amministratore$\")."
LangString FolderNotWritable ${LANG_ITALIAN} "L'installazione non può scrivere nella cartella$\r$\n$INSTDIR$\r$\n$\r$\nTarnholm non è stato installato. Scegli un'altra cartella o verifica di poter scrivere in questa."
LangString DiskFull ${LANG_ITALIAN} "Non c'è abbastanza spazio libero sull'unità di$\r$\n$INSTDIR$\r$\n$\r$\nTarnholm richiede $1 MB. Non è stato installato. Libera spazio o scegli un'altra unità."
LangString RecordFailed ${LANG_ITALIAN} "L'installazione non è riuscita a registrare Tarnholm in Windows, quindi Tarnholm non è stato installato completamente. Esegui di nuovo l'installazione."
LangString LauncherRunning ${LANG_ITALIAN} "Tarnholm è in esecuzione dalla cartella$\r$\n$INSTDIR$\r$\n$\r$\nChiudi il launcher di Tarnholm e il gioco, poi fai clic su Riprova. Annulla lascia Tarnholm così com'è."
