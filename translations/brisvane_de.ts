<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AboutWindow</name>
    <message>
        <source>About Brisvane</source>
        <translation>Über Brisvane</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>One-time password codes (TOTP and HOTP) for your accounts.</source>
        <translation>Einmalpasswort-Codes (TOTP und HOTP) für Ihre Konten.</translation>
    </message>
    <message>
        <source>This program comes with absolutely no warranty. It is free software: you can redistribute it and/or modify it under the terms of the &lt;a href=&quot;%1&quot;&gt;GNU General Public License&lt;/a&gt;, version 3 or (at your option) any later version.</source>
        <translation>Für dieses Programm besteht keinerlei Garantie. Es ist freie Software: Sie können es unter den Bedingungen der &lt;a href=&quot;%1&quot;&gt;GNU General Public License&lt;/a&gt;, Version 3 oder (nach Ihrer Wahl) jeder späteren Version, weitergeben und/oder verändern.</translation>
    </message>
    <message>
        <source>Accounts are kept in your login keyring through the Secret Service. Settings are kept in %1.</source>
        <translation>Die Konten liegen über den Secret Service in Ihrem Anmelde-Schlüsselbund. Die Einstellungen liegen in %1.</translation>
    </message>
</context>
<context>
    <name>AccountExport</name>
    <message>
        <source>Export Accounts</source>
        <translation>Konten exportieren</translation>
    </message>
    <message numerus="yes">
        <source>The file will hold the secrets of your %n account(s), encrypted with your password.</source>
        <translation>
            <numerusform>Die Datei wird das Geheimnis Ihres Kontos enthalten, mit Ihrem Passwort verschlüsselt.</numerusform>
            <numerusform>Die Datei wird die Geheimnisse Ihrer %n Konten enthalten, mit Ihrem Passwort verschlüsselt.</numerusform>
        </translation>
    </message>
    <message>
        <source>Anyone who has the file and guesses or learns the password can generate your codes.</source>
        <translation>Wer die Datei hat und das Passwort errät oder erfährt, kann Ihre Codes erzeugen.</translation>
    </message>
    <message numerus="yes">
        <source>The QR codes will hold the secrets of your %n account(s), unencrypted.</source>
        <translation>
            <numerusform>Die QR-Codes werden das Geheimnis Ihres Kontos unverschlüsselt enthalten.</numerusform>
            <numerusform>Die QR-Codes werden die Geheimnisse Ihrer %n Konten unverschlüsselt enthalten.</numerusform>
        </translation>
    </message>
    <message>
        <source>Anyone who sees or photographs the codes, or gets the saved images, can generate your codes. Show them only to your own phone.</source>
        <translation>Wer die Codes sieht oder fotografiert oder die gespeicherten Bilder erhält, kann Ihre Codes erzeugen. Zeigen Sie sie nur Ihrem eigenen Telefon.</translation>
    </message>
    <message numerus="yes">
        <source>The file will hold the secrets of your %n account(s), unencrypted.</source>
        <translation>
            <numerusform>Die Datei wird das Geheimnis Ihres Kontos unverschlüsselt enthalten.</numerusform>
            <numerusform>Die Datei wird die Geheimnisse Ihrer %n Konten unverschlüsselt enthalten.</numerusform>
        </translation>
    </message>
    <message>
        <source>Anyone who can read the file can generate your codes. Keep it somewhere private and delete it when you no longer need it.</source>
        <translation>Wer die Datei lesen kann, kann Ihre Codes erzeugen. Bewahren Sie sie an einem privaten Ort auf und löschen Sie sie, wenn Sie sie nicht mehr brauchen.</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>Export as otpauth Links</source>
        <translation>Als otpauth-Links exportieren</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
    <message>
        <source>Export as Aegis Vault</source>
        <translation>Als Aegis-Tresor exportieren</translation>
    </message>
    <message>
        <source>JSON files (*.json)</source>
        <translation>JSON-Dateien (*.json)</translation>
    </message>
    <message>
        <source>Save QR Codes as PNG</source>
        <translation>QR-Codes als PNG speichern</translation>
    </message>
    <message>
        <source>PNG images (*.png)</source>
        <translation>PNG-Bilder (*.png)</translation>
    </message>
    <message>
        <source>Export Failed</source>
        <translation>Export fehlgeschlagen</translation>
    </message>
    <message>
        <source>There are no accounts to export.</source>
        <translation>Es gibt keine Konten zum Exportieren.</translation>
    </message>
    <message>
        <source>An encrypted vault needs a password. Nothing was exported.</source>
        <translation>Ein verschlüsselter Tresor braucht ein Passwort. Es wurde nichts exportiert.</translation>
    </message>
    <message>
        <source>Could not write %1: %2. Nothing was exported.</source>
        <translation>%1 konnte nicht geschrieben werden: %2. Es wurde nichts exportiert.</translation>
    </message>
</context>
<context>
    <name>AccountListModel</name>
    <message>
        <source>%1, issued by %2</source>
        <translation>%1, ausgestellt von %2</translation>
    </message>
    <message>
        <source>not available</source>
        <translation>nicht verfügbar</translation>
    </message>
    <message>
        <source>Code %1. Return copies the code, Plus shows the next code, Ctrl+Up and Ctrl+Down move the account.</source>
        <translation>Code %1. Eingabe kopiert den Code, Plus zeigt den nächsten Code, Strg+Hoch und Strg+Runter verschieben das Konto.</translation>
    </message>
    <message numerus="yes">
        <source>Code %1, %n second(s) left. Return copies the code, Ctrl+Up and Ctrl+Down move the account.</source>
        <translation>
            <numerusform>Code %1, noch %n Sekunde. Eingabe kopiert den Code, Strg+Hoch und Strg+Runter verschieben das Konto.</numerusform>
            <numerusform>Code %1, noch %n Sekunden. Eingabe kopiert den Code, Strg+Hoch und Strg+Runter verschieben das Konto.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>AccountListView</name>
    <message>
        <source>Copy Code</source>
        <translation>Code kopieren</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Show QR Code</source>
        <translation>QR-Code anzeigen</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Bearbeiten…</translation>
    </message>
</context>
<context>
    <name>AccountQRDialog</name>
    <message>
        <source>QR Code: %1</source>
        <translation>QR-Code: %1</translation>
    </message>
    <message>
        <source>Scan this code with an authenticator app to add the account there. Anyone who sees it can generate your codes.</source>
        <translation>Scannen Sie diesen Code mit einer Authenticator-App, um das Konto dort hinzuzufügen. Wer ihn sieht, kann Ihre Codes erzeugen.</translation>
    </message>
    <message>
        <source>This account&apos;s link is too long for a QR code.</source>
        <translation>Der Link dieses Kontos ist zu lang für einen QR-Code.</translation>
    </message>
    <message>
        <source>Copy Link</source>
        <translation>Link kopieren</translation>
    </message>
</context>
<context>
    <name>AccountRowDelegate</name>
    <message>
        <source>Drag to reorder</source>
        <translation>Zum Umsortieren ziehen</translation>
    </message>
    <message>
        <source>Click to copy</source>
        <translation>Zum Kopieren klicken</translation>
    </message>
    <message>
        <source>Generate next HOTP code</source>
        <translation>Nächsten HOTP-Code erzeugen</translation>
    </message>
    <message>
        <source>Copied!</source>
        <translation>Kopiert!</translation>
    </message>
    <message>
        <source>Copy code</source>
        <translation>Code kopieren</translation>
    </message>
</context>
<context>
    <name>AddAccountDialog</name>
    <message>
        <source>Choose image</source>
        <translation>Bild auswählen</translation>
    </message>
    <message>
        <source>Add account</source>
        <translation>Konto hinzufügen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>%1 (Ctrl+%2)</source>
        <translation>%1 (Strg+%2)</translation>
    </message>
    <message>
        <source>Scan a QR code from your screen</source>
        <translation>QR-Code vom Bildschirm scannen</translation>
    </message>
    <message>
        <source>Show the QR code somewhere on any of your displays — in a browser tab, on your phone, in another app — then click Scan. Your desktop may ask you to allow the screenshot.</source>
        <translation>Zeigen Sie den QR-Code irgendwo auf einem Ihrer Bildschirme – in einem Browser-Tab, auf Ihrem Telefon, in einer anderen App – und klicken Sie dann auf Scannen. Ihr Desktop fragt eventuell, ob das Bildschirmfoto erlaubt ist.</translation>
    </message>
    <message>
        <source>Tip: this also works with Google Authenticator&apos;s &quot;Export accounts&quot; QR — show that QR on your phone and point your phone&apos;s camera at the screen, or take a photo of it.</source>
        <translation>Tipp: Das geht auch mit dem QR-Code „Konten exportieren“ des Google Authenticator – zeigen Sie ihn auf Ihrem Telefon an und halten Sie die Telefonkamera auf den Bildschirm, oder fotografieren Sie ihn.</translation>
    </message>
    <message>
        <source>Read a QR code from an image</source>
        <translation>QR-Code aus einem Bild lesen</translation>
    </message>
    <message>
        <source>Paste an otpauth:// link</source>
        <translation>Einen otpauth://-Link einfügen</translation>
    </message>
    <message>
        <source>Paste a setup link like otpauth://totp/… or a Google Authenticator export link otpauth-migration://offline?data=…</source>
        <translation>Fügen Sie einen Einrichtungslink wie otpauth://totp/… oder einen Google-Authenticator-Exportlink otpauth-migration://offline?data=… ein</translation>
    </message>
    <message>
        <source>Enter a key by hand</source>
        <translation>Schlüssel von Hand eingeben</translation>
    </message>
    <message>
        <source>e.g. Google</source>
        <translation>z. B. Google</translation>
    </message>
    <message>
        <source>e.g. alice@example.com</source>
        <translation>z. B. alice@example.com</translation>
    </message>
    <message>
        <source>Base32 secret (no spaces)</source>
        <translation>Base32-Geheimnis (ohne Leerzeichen)</translation>
    </message>
    <message>
        <source>Time-based (TOTP)</source>
        <translation>Zeitbasiert (TOTP)</translation>
    </message>
    <message>
        <source>Counter (HOTP)</source>
        <translation>Zähler (HOTP)</translation>
    </message>
    <message>
        <source> seconds</source>
        <translation> Sekunden</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Intervall</translation>
    </message>
    <message>
        <source>Service</source>
        <translation>Dienst</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Konto</translation>
    </message>
    <message>
        <source>Secret</source>
        <translation>Geheimnis</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Algorithm</source>
        <translation>Algorithmus</translation>
    </message>
    <message>
        <source>Digits</source>
        <translation>Stellen</translation>
    </message>
    <message>
        <source>Encrypted backup</source>
        <translation>Verschlüsselte Sicherung</translation>
    </message>
    <message>
        <source>Password of this %1:</source>
        <translation>Passwort für %1:</translation>
    </message>
    <message>
        <source>Pick a PNG, JPG, or other image that contains the QR code. Multiple QR codes inside one image are supported. Backups and exports of Aegis, 2FAS, andOTP, FreeOTP+, Bitwarden, Proton Authenticator and Ente Auth are read too.</source>
        <translation>Wählen Sie ein PNG-, JPG- oder anderes Bild mit dem QR-Code. Mehrere QR-Codes in einem Bild werden unterstützt. Sicherungen und Exporte von Aegis, 2FAS, andOTP, FreeOTP+, Bitwarden, Proton Authenticator und Ente Auth werden ebenfalls gelesen.</translation>
    </message>
    <message>
        <source>Images and backups (%1 *.json *.2fas *.aes *.txt)</source>
        <translation>Bilder und Sicherungen (%1 *.json *.2fas *.aes *.txt)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>AddAccountModel</name>
    <message>
        <source>Scanning displays…</source>
        <translation>Bildschirme werden durchsucht …</translation>
    </message>
    <message>
        <source>Secret is not valid Base32.</source>
        <translation>Das Geheimnis ist kein gültiges Base32.</translation>
    </message>
    <message>
        <source>No accounts were imported.</source>
        <translation>Es wurden keine Konten importiert.</translation>
    </message>
    <message>
        <source>Nothing imported: the %1 needs its password.</source>
        <translation>Nichts importiert: %1 braucht sein Passwort.</translation>
    </message>
    <message>
        <source>Reading the image…</source>
        <translation>Bild wird gelesen…</translation>
    </message>
    <message>
        <source>This text is too long to be a setup link (%1). Paste at most %2.</source>
        <translation>Dieser Text ist zu lang für einen Einrichtungslink (%1). Fügen Sie höchstens %2 ein.</translation>
    </message>
    <message>
        <source>Adding %1 of %2…</source>
        <translation>Füge %1 von %2 hinzu…</translation>
    </message>
</context>
<context>
    <name>AddMode</name>
    <message>
        <source>Scan screen</source>
        <translation>Bildschirm scannen</translation>
    </message>
    <message>
        <source>Image file</source>
        <translation>Bilddatei</translation>
    </message>
    <message>
        <source>Paste link</source>
        <translation>Link einfügen</translation>
    </message>
    <message>
        <source>Enter by hand</source>
        <translation>Von Hand eingeben</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>Scannen</translation>
    </message>
    <message>
        <source>Choose image…</source>
        <translation>Bild auswählen …</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
</context>
<context>
    <name>AppSettings</name>
    <message>
        <source>Settings could not be saved: %1 cannot be written.</source>
        <translation>Einstellungen konnten nicht gespeichert werden: %1 ist nicht beschreibbar.</translation>
    </message>
    <message>
        <source>Settings could not be saved: %1 is not a settings file.</source>
        <translation>Einstellungen konnten nicht gespeichert werden: %1 ist keine Einstellungsdatei.</translation>
    </message>
</context>
<context>
    <name>ApplicationShell</name>
    <message numerus="yes">
        <source>%n account(s) not saved in the keyring yet.</source>
        <translation>
            <numerusform>%n Konto ist noch nicht im Schlüsselbund gespeichert.</numerusform>
            <numerusform>%n Konten sind noch nicht im Schlüsselbund gespeichert.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The keyring could not store them, so they would be lost if Brisvane quits now. Keep Brisvane running and it will store them with the next change once the keyring works again.</source>
        <translation>
            <numerusform>Der Schlüsselbund konnte es nicht speichern; es ginge verloren, wenn Brisvane jetzt beendet wird. Lassen Sie Brisvane laufen, dann speichert es das Konto bei der nächsten Änderung, sobald der Schlüsselbund wieder funktioniert.</numerusform>
            <numerusform>Der Schlüsselbund konnte sie nicht speichern; sie gingen verloren, wenn Brisvane jetzt beendet wird. Lassen Sie Brisvane laufen, dann speichert es die Konten bei der nächsten Änderung, sobald der Schlüsselbund wieder funktioniert.</numerusform>
        </translation>
    </message>
    <message>
        <source>Keep Running</source>
        <translation>Weiterlaufen lassen</translation>
    </message>
    <message>
        <source>Quit Anyway</source>
        <translation>Trotzdem beenden</translation>
    </message>
</context>
<context>
    <name>ClockNotice</name>
    <message>
        <source>Your clock is not synchronised; codes may be rejected.</source>
        <translation>Ihre Uhr ist nicht synchronisiert; Codes werden eventuell abgelehnt.</translation>
    </message>
    <message>
        <source>How to fix it</source>
        <translation>So beheben Sie das</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Ausblenden</translation>
    </message>
</context>
<context>
    <name>CopyHUD</name>
    <message>
        <source>Copy confirmation</source>
        <translation>Kopierbestätigung</translation>
    </message>
</context>
<context>
    <name>DetectedDesktopSession</name>
    <message>
        <source>This desktop does not offer global shortcuts to apps (GlobalShortcuts portal missing).</source>
        <translation>Diese Arbeitsumgebung bietet Apps keine globalen Tastenkürzel an (GlobalShortcuts-Portal fehlt).</translation>
    </message>
    <message>
        <source>Running through XWayland: global hotkeys and auto-paste work only while an X11 app has the focus, and Scan screen sees only X11 windows. Install qt6-wayland for the desktop&apos;s own shortcuts.</source>
        <translation>Läuft über XWayland: Globale Tastenkürzel und automatisches Einfügen funktionieren nur, solange eine X11-App den Fokus hat, und „Bildschirm scannen“ sieht nur X11-Fenster. Installieren Sie qt6-wayland für die eigenen Tastenkürzel der Arbeitsumgebung.</translation>
    </message>
    <message>
        <source>This desktop does not let apps type into other apps, so auto-paste only copies (RemoteDesktop portal missing).</source>
        <translation>Diese Arbeitsumgebung lässt Apps nicht in andere Apps tippen, daher kopiert automatisches Einfügen nur (RemoteDesktop-Portal fehlt).</translation>
    </message>
    <message>
        <source>Scan screen cannot see the screen (Screenshot portal missing); use Image file.</source>
        <translation>„Bildschirm scannen“ kann den Bildschirm nicht sehen (Screenshot-Portal fehlt); verwenden Sie „Bilddatei“.</translation>
    </message>
    <message>
        <source>Codes can still be copied by clicking them.</source>
        <translation>Codes lassen sich weiterhin per Klick kopieren.</translation>
    </message>
    <message>
        <source>Running through XWayland: hotkeys work only while an X11 app has the focus.</source>
        <translation>Läuft über XWayland: Tastenkürzel funktionieren nur, solange eine X11-App den Fokus hat.</translation>
    </message>
</context>
<context>
    <name>EditAccountDialog</name>
    <message>
        <source>Edit Account</source>
        <translation>Konto bearbeiten</translation>
    </message>
    <message>
        <source>Example Inc.</source>
        <translation>Beispiel GmbH</translation>
    </message>
    <message>
        <source>Issuer:</source>
        <translation>Anbieter:</translation>
    </message>
    <message>
        <source>Account name:</source>
        <translation>Kontoname:</translation>
    </message>
</context>
<context>
    <name>ExportFormatDialog</name>
    <message>
        <source>Export Accounts</source>
        <translation>Konten exportieren</translation>
    </message>
    <message>
        <source>Export all accounts as:</source>
        <translation>Alle Konten exportieren als:</translation>
    </message>
    <message>
        <source>Text file with otpauth:// links</source>
        <translation>Textdatei mit otpauth://-Links</translation>
    </message>
    <message>
        <source>Aegis-compatible vault, not encrypted</source>
        <translation>Aegis-kompatibler Tresor, unverschlüsselt</translation>
    </message>
    <message>
        <source>Aegis-compatible vault, encrypted with a password</source>
        <translation>Aegis-kompatibler Tresor, mit Passwort verschlüsselt</translation>
    </message>
    <message>
        <source>Google Authenticator QR codes</source>
        <translation>QR-Codes für Google Authenticator</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <source>Repeat password:</source>
        <translation>Passwort wiederholen:</translation>
    </message>
    <message>
        <source>The passwords differ.</source>
        <translation>Die Passwörter stimmen nicht überein.</translation>
    </message>
    <message>
        <source>Continue…</source>
        <translation>Weiter…</translation>
    </message>
</context>
<context>
    <name>GeneralTab</name>
    <message>
        <source>Startup</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Launch Brisvane at login</source>
        <translation>Brisvane bei der Anmeldung starten</translation>
    </message>
    <message>
        <source>When enabled, Brisvane starts automatically every time you log in, so the tray icon and your global hotkeys are always available.</source>
        <translation>Wenn aktiviert, startet Brisvane bei jeder Anmeldung automatisch, sodass das Symbol im Systemabschnitt und Ihre globalen Tastenkürzel immer verfügbar sind.</translation>
    </message>
    <message>
        <source>Tray</source>
        <translation>Systemabschnitt</translation>
    </message>
    <message>
        <source>Show a code in the tray</source>
        <translation>Einen Code im Systemabschnitt anzeigen</translation>
    </message>
    <message>
        <source>Account:</source>
        <translation>Konto:</translation>
    </message>
    <message>
        <source>Shows the current code right in the tray, next to the key icon. Note: the code stays visible on screen, so anyone looking at your screen can see it — turn this off if you&apos;d rather keep it hidden until you click the icon.</source>
        <translation>Zeigt den aktuellen Code direkt im Systemabschnitt neben dem Schlüsselsymbol. Hinweis: Der Code bleibt auf dem Bildschirm sichtbar, jeder mit Blick auf Ihren Bildschirm kann ihn sehen – schalten Sie dies aus, wenn er bis zum Klick auf das Symbol verborgen bleiben soll.</translation>
    </message>
    <message>
        <source>Accounts shown in the menu</source>
        <translation>Im Menü angezeigte Konten</translation>
    </message>
    <message>
        <source>Uncheck an account to hide it from the dropdown (it stays in the main window). Use the arrows in the dropdown or drag rows in the main window to reorder them.</source>
        <translation>Entfernen Sie den Haken bei einem Konto, um es im Aufklappfenster auszublenden (im Hauptfenster bleibt es). Sortieren Sie mit den Pfeilen im Aufklappfenster oder durch Ziehen der Zeilen im Hauptfenster um.</translation>
    </message>
    <message>
        <source>Clipboard</source>
        <translation>Zwischenablage</translation>
    </message>
    <message>
        <source>Clear copied codes after</source>
        <translation>Kopierte Codes löschen nach</translation>
    </message>
    <message>
        <source> seconds</source>
        <translation> Sekunden</translation>
    </message>
    <message>
        <source>Seconds before a copied code is cleared</source>
        <translation>Sekunden bis zum Löschen eines kopierten Codes</translation>
    </message>
    <message>
        <source>A copied code is taken off the clipboard again after this time, and when Brisvane quits, unless you have copied something else meanwhile. Clipboard managers are asked not to keep codes.</source>
        <translation>Ein kopierter Code wird nach dieser Zeit und beim Beenden von Brisvane wieder aus der Zwischenablage entfernt, sofern Sie nicht inzwischen etwas anderes kopiert haben. Zwischenablage-Verwaltungen werden gebeten, Codes nicht aufzubewahren.</translation>
    </message>
    <message>
        <source>Secure storage</source>
        <translation>Sichere Ablage</translation>
    </message>
    <message>
        <source>Accounts are kept in your login keyring</source>
        <translation>Die Konten liegen in Ihrem Anmelde-Schlüsselbund</translation>
    </message>
    <message>
        <source>Your TOTP/HOTP secrets are stored by the desktop&apos;s Secret Service (such as GNOME Keyring or KWallet), encrypted with your login password. They never leave this computer.</source>
        <translation>Ihre TOTP-/HOTP-Geheimnisse werden vom Secret Service des Desktops (etwa GNOME Keyring oder KWallet) gespeichert, verschlüsselt mit Ihrem Anmeldepasswort. Sie verlassen diesen Rechner nie.</translation>
    </message>
    <message>
        <source>Open Keyring Manager</source>
        <translation>Schlüsselbundverwaltung öffnen</translation>
    </message>
    <message>
        <source>First account</source>
        <translation>Erstes Konto</translation>
    </message>
    <message>
        <source>Could not start %1.</source>
        <translation>%1 konnte nicht gestartet werden.</translation>
    </message>
</context>
<context>
    <name>HotKeyController</name>
    <message>
        <source>Code copied</source>
        <translation>Code kopiert</translation>
    </message>
    <message>
        <source>Code pasted</source>
        <translation>Code eingefügt</translation>
    </message>
    <message>
        <source>Copied (paste not allowed)</source>
        <translation>Kopiert (Einfügen nicht erlaubt)</translation>
    </message>
    <message>
        <source>Code unavailable</source>
        <translation>Code nicht verfügbar</translation>
    </message>
    <message>
        <source>Copy failed</source>
        <translation>Kopieren fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>HotKeysTab</name>
    <message>
        <source>Global hotkeys</source>
        <translation>Globale Tastenkürzel</translation>
    </message>
    <message>
        <source>Each row links a key combination to one of your accounts. Press the combination anywhere on your desktop — even when this app is in the background — and the current code is copied to the clipboard. Toggle Auto-paste to also insert the code at the cursor in the focused app.</source>
        <translation>Jede Zeile verknüpft eine Tastenkombination mit einem Ihrer Konten. Drücken Sie die Kombination irgendwo auf Ihrem Desktop – auch wenn diese App im Hintergrund ist – und der aktuelle Code wird in die Zwischenablage kopiert. Mit „Automatisch einfügen“ wird der Code zusätzlich an der Schreibmarke der App im Fokus eingefügt.</translation>
    </message>
    <message>
        <source>Auto-paste cannot type into other apps here</source>
        <translation>Automatisches Einfügen kann hier nicht in andere Apps tippen</translation>
    </message>
    <message>
        <source>This desktop session does not let Brisvane send keystrokes. Codes are still copied; paste them with Ctrl+V.</source>
        <translation>Diese Desktop-Sitzung lässt Brisvane keine Tastendrücke senden. Codes werden trotzdem kopiert; fügen Sie sie mit Strg+V ein.</translation>
    </message>
    <message>
        <source>No hotkeys yet</source>
        <translation>Noch keine Tastenkürzel</translation>
    </message>
    <message>
        <source>Click Add hotkey to map a key combination to one of your accounts.</source>
        <translation>Klicken Sie auf „Tastenkürzel hinzufügen“, um eine Tastenkombination mit einem Ihrer Konten zu verknüpfen.</translation>
    </message>
    <message>
        <source>Add hotkey</source>
        <translation>Tastenkürzel hinzufügen</translation>
    </message>
</context>
<context>
    <name>HotKeysTabBindingRow</name>
    <message>
        <source>Enable this hotkey</source>
        <translation>Dieses Tastenkürzel aktivieren</translation>
    </message>
    <message>
        <source>Auto-paste</source>
        <translation>Automatisch einfügen</translation>
    </message>
    <message>
        <source>Remove hotkey</source>
        <translation>Tastenkürzel entfernen</translation>
    </message>
    <message>
        <source>— pick an account —</source>
        <translation>— Konto auswählen —</translation>
    </message>
    <message>
        <source>A hotkey above already uses this combination; only that one works.</source>
        <translation>Ein Tastenkürzel weiter oben nutzt diese Kombination bereits; nur jenes funktioniert.</translation>
    </message>
    <message>
        <source>Account deleted</source>
        <translation>Konto gelöscht</translation>
    </message>
</context>
<context>
    <name>HotkeysTabRules</name>
    <message>
        <source>%1 active of %2</source>
        <translation>%1 von %2 aktiv</translation>
    </message>
    <message>
        <source>Auto-paste: insert the code at the cursor (not possible in this desktop session)</source>
        <translation>Automatisch einfügen: den Code an der Schreibmarke einfügen (in dieser Desktop-Sitzung nicht möglich)</translation>
    </message>
    <message>
        <source>Auto-paste: insert the code at the cursor in the focused app</source>
        <translation>Automatisch einfügen: den Code an der Schreibmarke der App im Fokus einfügen</translation>
    </message>
    <message>
        <source>The desktop has not assigned this combination (it may be taken); pick a key in the desktop&apos;s shortcut settings.</source>
        <translation>Die Arbeitsumgebung hat diese Kombination nicht zugewiesen (sie ist vielleicht belegt); wählen Sie eine Taste in den Tastenkürzel-Einstellungen der Arbeitsumgebung.</translation>
    </message>
    <message>
        <source>The desktop assigned %1 instead: press that.</source>
        <translation>Die Arbeitsumgebung hat stattdessen %1 zugewiesen: Drücken Sie diese Kombination.</translation>
    </message>
</context>
<context>
    <name>ImportOutcome</name>
    <message>
        <source>(unnamed)</source>
        <translation>(ohne Namen)</translation>
    </message>
    <message>
        <source>Nothing imported: this file is not a backup or export Brisvane can read.</source>
        <translation>Nichts importiert: Diese Datei ist keine Sicherung und kein Export, den Brisvane lesen kann.</translation>
    </message>
    <message>
        <source>This %1 is encrypted: its password is needed.</source>
        <translation>%1 ist verschlüsselt: Das Passwort wird benötigt.</translation>
    </message>
    <message>
        <source>Wrong password for this %1; nothing was imported.</source>
        <translation>Falsches Passwort für %1; nichts wurde importiert.</translation>
    </message>
    <message>
        <source>Nothing imported: %1</source>
        <translation>Nichts importiert: %1</translation>
    </message>
    <message>
        <source>Imported 1 account</source>
        <translation>1 Konto importiert</translation>
    </message>
    <message>
        <source>Imported %1 accounts</source>
        <translation>%1 Konten importiert</translation>
    </message>
    <message>
        <source> (%1 already present)</source>
        <translation> (%1 bereits vorhanden)</translation>
    </message>
    <message>
        <source>; skipped %1: </source>
        <translation>; %1 übersprungen: </translation>
    </message>
</context>
<context>
    <name>KeyNames</name>
    <message>
        <source>Key %1</source>
        <translation>Taste %1</translation>
    </message>
</context>
<context>
    <name>KeychainError</name>
    <message>
        <source>Keychain error: </source>
        <translation>Schlüsselbundfehler: </translation>
    </message>
    <message>
        <source>Failed to decode accounts.</source>
        <translation>Die Konten konnten nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Failed to encode accounts.</source>
        <translation>Die Konten konnten nicht geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>KeyringErrorHelp</name>
    <message>
        <source>No Secret Service provider answers, or there is no session bus at all.</source>
        <translation>Kein Secret-Service-Anbieter antwortet, oder es gibt gar keinen Sitzungsbus.</translation>
    </message>
    <message>
        <source>Install and start a keyring: `sudo apt install gnome-keyring` (or use KWallet with its Secret Service enabled) and log out and in again. Started from a bare terminal or over SSH, make sure `DBUS_SESSION_BUS_ADDRESS` is set (`dbus-run-session -- brisvane`).</source>
        <translation>Installieren und starten Sie einen Schlüsselbund: `sudo apt install gnome-keyring` (oder KWallet mit eingeschaltetem Secret Service), dann ab- und wieder anmelden. Aus einem nackten Terminal oder über SSH gestartet, muss `DBUS_SESSION_BUS_ADDRESS` gesetzt sein (`dbus-run-session -- brisvane`).</translation>
    </message>
    <message>
        <source>The item was not found.</source>
        <translation>Der Eintrag wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>Usually harmless (an account deleted elsewhere). If it persists, restart Brisvane so it reloads the list.</source>
        <translation>Meist harmlos (ein anderswo gelöschtes Konto). Bleibt der Fehler, starten Sie Brisvane neu, damit es die Liste neu lädt.</translation>
    </message>
    <message>
        <source>The keyring collection is locked and could not be unlocked.</source>
        <translation>Die Schlüsselbund-Sammlung ist gesperrt und konnte nicht entsperrt werden.</translation>
    </message>
    <message>
        <source>Unlock your login keyring (for example in Passwords and Keys / seahorse, or by logging in with a password rather than automatic login), then try again.</source>
        <translation>Entsperren Sie Ihren Anmelde-Schlüsselbund (zum Beispiel in „Passwörter und Verschlüsselung“ / seahorse, oder indem Sie sich mit Passwort statt automatisch anmelden) und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Any other keyring failure.</source>
        <translation>Jeder andere Fehler des Schlüsselbunds.</translation>
    </message>
    <message>
        <source>Restart the keyring daemon (log out and in, or `gnome-keyring-daemon --replace --components=secrets`) and try again; Brisvane reconnects by itself.</source>
        <translation>Starten Sie den Schlüsselbund-Dienst neu (ab- und wieder anmelden, oder `gnome-keyring-daemon --replace --components=secrets`) und versuchen Sie es erneut; Brisvane verbindet sich von selbst neu.</translation>
    </message>
</context>
<context>
    <name>Main</name>
    <message>
        <source>One-time password codes (TOTP and HOTP) for your accounts.</source>
        <translation>Einmalpasswort-Codes (TOTP und HOTP) für Ihre Konten.</translation>
    </message>
    <message>
        <source>Start without opening the main window (hotkeys and the tray icon still work).</source>
        <translation>Ohne Hauptfenster starten (Tastenkürzel und das Symbol im Systemabschnitt funktionieren trotzdem).</translation>
    </message>
    <message>
        <source>Open the settings window (in the running Brisvane when there is one).</source>
        <translation>Das Einstellungsfenster öffnen (im laufenden Brisvane, falls eines läuft).</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Accounts</source>
        <translation>Konten</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Search accounts</source>
        <translation>Konten durchsuchen</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Add accounts (Ctrl+N)</source>
        <translation>Konten hinzufügen (Strg+N)</translation>
    </message>
    <message>
        <source>No accounts yet</source>
        <translation>Noch keine Konten</translation>
    </message>
    <message>
        <source>Click Add to import a QR code, paste a setup link, or enter a key by hand.</source>
        <translation>Klicken Sie auf „Hinzufügen“, um einen QR-Code zu importieren, einen Einrichtungslink einzufügen oder einen Schlüssel von Hand einzugeben.</translation>
    </message>
    <message>
        <source>Add account</source>
        <translation>Konto hinzufügen</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Einstellungen…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menü</translation>
    </message>
    <message>
        <source>Keyring error</source>
        <translation>Schlüsselbundfehler</translation>
    </message>
    <message>
        <source>Keyring not responding</source>
        <translation>Schlüsselbund antwortet nicht</translation>
    </message>
    <message>
        <source>Export…</source>
        <translation>Exportieren…</translation>
    </message>
    <message>
        <source>About Brisvane</source>
        <translation>Über Brisvane</translation>
    </message>
    <message>
        <source>Export, Settings, About and Quit</source>
        <translation>Exportieren, Einstellungen, Über und Beenden</translation>
    </message>
</context>
<context>
    <name>MigrationCodesWindow</name>
    <message>
        <source>Not in these codes, as Google Authenticator cannot take them:
%1</source>
        <translation>Nicht in diesen Codes, weil Google Authenticator sie nicht aufnehmen kann:
%1</translation>
    </message>
    <message>
        <source>Google Authenticator QR Codes</source>
        <translation>QR-Codes für Google Authenticator</translation>
    </message>
    <message>
        <source>In Google Authenticator choose Transfer accounts, Import accounts, and scan each code in turn. Anyone who sees these codes can generate your codes.</source>
        <translation>Wählen Sie in Google Authenticator „Konten übertragen“, „Konten importieren“ und scannen Sie die Codes nacheinander. Wer diese Codes sieht, kann Ihre Codes erzeugen.</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Save as PNG…</source>
        <translation>Als PNG speichern…</translation>
    </message>
    <message>
        <source>No account can be exported in this format.</source>
        <translation>Kein Konto lässt sich in diesem Format exportieren.</translation>
    </message>
    <message>
        <source>Code %1 of %2</source>
        <translation>Code %1 von %2</translation>
    </message>
    <message>
        <source>This code is too large to draw.</source>
        <translation>Dieser Code ist zu groß zum Zeichnen.</translation>
    </message>
    <message>
        <source>Export Failed</source>
        <translation>Export fehlgeschlagen</translation>
    </message>
    <message>
        <source>Could not write %1: %2.</source>
        <translation>%1 konnte nicht geschrieben werden: %2.</translation>
    </message>
</context>
<context>
    <name>MigrationExport</name>
    <message>
        <source>period %1 s cannot be exported in this format</source>
        <translation>Intervall von %1 s lässt sich in diesem Format nicht exportieren</translation>
    </message>
    <message>
        <source>%1 digits cannot be exported in this format</source>
        <translation>%1 Ziffern lassen sich in diesem Format nicht exportieren</translation>
    </message>
</context>
<context>
    <name>ParseError</name>
    <message>
        <source>Invalid otpauth URL.</source>
        <translation>Ungültige otpauth-URL.</translation>
    </message>
    <message>
        <source>Unsupported URL scheme.</source>
        <translation>Nicht unterstütztes URL-Schema.</translation>
    </message>
    <message>
        <source>Missing secret in URL.</source>
        <translation>In der URL fehlt das Geheimnis.</translation>
    </message>
    <message>
        <source>Could not decode secret (Base32).</source>
        <translation>Das Geheimnis (Base32) konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Unsupported OTP type.</source>
        <translation>Nicht unterstützter OTP-Typ.</translation>
    </message>
    <message>
        <source>Could not decode Google Authenticator export.</source>
        <translation>Der Google-Authenticator-Export konnte nicht gelesen werden.</translation>
    </message>
</context>
<context>
    <name>PrivateFile</name>
    <message>
        <source>it is a folder</source>
        <translation>es ist ein Ordner</translation>
    </message>
    <message>
        <source>the image could not be encoded</source>
        <translation>das Bild ließ sich nicht kodieren</translation>
    </message>
</context>
<context>
    <name>QrImportError</name>
    <message>
        <source>No QR code was found.</source>
        <translation>Es wurde kein QR-Code gefunden.</translation>
    </message>
    <message>
        <source>Could not capture the screen. Allow screen capture for Brisvane in your desktop&apos;s privacy settings, or use Image file.</source>
        <translation>Der Bildschirm konnte nicht aufgenommen werden. Erlauben Sie Brisvane die Bildschirmaufnahme in den Datenschutzeinstellungen Ihres Desktops, oder verwenden Sie „Bilddatei“.</translation>
    </message>
    <message>
        <source>Could not read the image.</source>
        <translation>Das Bild konnte nicht gelesen werden.</translation>
    </message>
</context>
<context>
    <name>RecorderButton</name>
    <message>
        <source>Press a key combo…</source>
        <translation>Tastenkombination drücken …</translation>
    </message>
    <message>
        <source>Click to set</source>
        <translation>Zum Festlegen klicken</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Hotkeys</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
</context>
<context>
    <name>TrayIcon</name>
    <message>
        <source>Open Brisvane</source>
        <translation>Brisvane öffnen</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Einstellungen …</translation>
    </message>
    <message>
        <source>About Brisvane</source>
        <translation>Über Brisvane</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Export…</source>
        <translation>Exportieren…</translation>
    </message>
</context>
<context>
    <name>TrayRow</name>
    <message>
        <source>Move up or down</source>
        <translation>Nach oben oder unten verschieben</translation>
    </message>
    <message>
        <source>Move %1 up</source>
        <translation>%1 nach oben verschieben</translation>
    </message>
    <message>
        <source>Move %1 down</source>
        <translation>%1 nach unten verschieben</translation>
    </message>
</context>
<context>
    <name>TrayRowCopyButton</name>
    <message>
        <source>Click to copy</source>
        <translation>Zum Kopieren klicken</translation>
    </message>
    <message>
        <source>Click to copy (code hidden)</source>
        <translation>Zum Kopieren klicken (Code verborgen)</translation>
    </message>
    <message>
        <source>Code %1. Click to copy.</source>
        <translation>Code %1. Zum Kopieren klicken.</translation>
    </message>
    <message>
        <source>Code hidden. Click to copy.</source>
        <translation>Code verborgen. Zum Kopieren klicken.</translation>
    </message>
</context>
<context>
    <name>TrayWindow</name>
    <message>
        <source>Show codes</source>
        <translation>Codes anzeigen</translation>
    </message>
    <message>
        <source>Show or hide the codes. Names and copy buttons stay visible.</source>
        <translation>Codes ein- oder ausblenden. Namen und Kopierknöpfe bleiben sichtbar.</translation>
    </message>
    <message>
        <source>Open main window</source>
        <translation>Hauptfenster öffnen</translation>
    </message>
    <message>
        <source>No accounts yet</source>
        <translation>Noch keine Konten</translation>
    </message>
    <message>
        <source>Add an account</source>
        <translation>Ein Konto hinzufügen</translation>
    </message>
    <message>
        <source>No accounts shown here</source>
        <translation>Hier werden keine Konten angezeigt</translation>
    </message>
    <message>
        <source>Choose which accounts appear in this menu
in Settings → General → Tray.</source>
        <translation>Wählen Sie unter Einstellungen → Allgemein → Systemabschnitt,
welche Konten in diesem Menü erscheinen.</translation>
    </message>
    <message>
        <source>Manage</source>
        <translation>Verwalten</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Settings (%1)</source>
        <translation>Einstellungen (%1)</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Quit Brisvane (%1)</source>
        <translation>Brisvane beenden (%1)</translation>
    </message>
</context>
<context>
    <name>UndoDeleteBar</name>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Deleted %1</source>
        <translation>%1 gelöscht</translation>
    </message>
</context>
<context>
    <name>XdgAutostartEntry</name>
    <message>
        <source>The program&apos;s path cannot be written into an autostart entry: %1</source>
        <translation>Der Pfad des Programms lässt sich nicht in einen Autostart-Eintrag schreiben: %1</translation>
    </message>
    <message>
        <source>Could not create the autostart folder %1.</source>
        <translation>Der Autostart-Ordner %1 konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>Could not write %1: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Could not remove %1: %2</source>
        <translation>%1 konnte nicht entfernt werden: %2</translation>
    </message>
</context>
</TS>
