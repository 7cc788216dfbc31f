<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AboutWindow</name>
    <message>
        <source>About Brisvane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One-time password codes (TOTP and HOTP) for your accounts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This program comes with absolutely no warranty. It is free software: you can redistribute it and/or modify it under the terms of the &lt;a href=&quot;%1&quot;&gt;GNU General Public License&lt;/a&gt;, version 3 or (at your option) any later version.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accounts are kept in your login keyring through the Secret Service. Settings are kept in %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AccountExport</name>
    <message>
        <source>Export Accounts</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>The file will hold the secrets of your %n account(s), encrypted with your password.</source>
        <translation>
            <numerusform>The file will hold the secret of your account, encrypted with your password.</numerusform>
            <numerusform>The file will hold the secrets of your %n accounts, encrypted with your password.</numerusform>
        </translation>
    </message>
    <message>
        <source>Anyone who has the file and guesses or learns the password can generate your codes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>The QR codes will hold the secrets of your %n account(s), unencrypted.</source>
        <translation>
            <numerusform>The QR codes will hold the secret of your account, unencrypted.</numerusform>
            <numerusform>The QR codes will hold the secrets of your %n accounts, unencrypted.</numerusform>
        </translation>
    </message>
    <message>
        <source>Anyone who sees or photographs the codes, or gets the saved images, can generate your codes. Show them only to your own phone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>The file will hold the secrets of your %n account(s), unencrypted.</source>
        <translation>
            <numerusform>The file will hold the secret of your account, unencrypted.</numerusform>
            <numerusform>The file will hold the secrets of your %n accounts, unencrypted.</numerusform>
        </translation>
    </message>
    <message>
        <source>Anyone who can read the file can generate your codes. Keep it somewhere private and delete it when you no longer need it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export as otpauth Links</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export as Aegis Vault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JSON files (*.json)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save QR Codes as PNG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PNG images (*.png)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There are no accounts to export.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An encrypted vault needs a password. Nothing was exported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not write %1: %2. Nothing was exported.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AccountListModel</name>
    <message>
        <source>%1, issued by %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Code %1. Return copies the code, Plus shows the next code, Ctrl+Up and Ctrl+Down move the account.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Code %1, %n second(s) left. Return copies the code, Ctrl+Up and Ctrl+Down move the account.</source>
        <translation>
            <numerusform>Code %1, %n second left. Return copies the code, Ctrl+Up and Ctrl+Down move the account.</numerusform>
            <numerusform>Code %1, %n seconds left. Return copies the code, Ctrl+Up and Ctrl+Down move the account.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>AccountListView</name>
    <message>
        <source>Copy Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show QR Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AccountQRDialog</name>
    <message>
        <source>QR Code: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan this code with an authenticator app to add the account there. Anyone who sees it can generate your codes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This account&apos;s link is too long for a QR code.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy Link</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AccountRowDelegate</name>
    <message>
        <source>Drag to reorder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Generate next HOTP code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copied!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy code</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AddAccountDialog</name>
    <message>
        <source>Choose image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (Ctrl+%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan a QR code from your screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the QR code somewhere on any of your displays — in a browser tab, on your phone, in another app — then click Scan. Your desktop may ask you to allow the screenshot.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tip: this also works with Google Authenticator&apos;s &quot;Export accounts&quot; QR — show that QR on your phone and point your phone&apos;s camera at the screen, or take a photo of it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read a QR code from an image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste an otpauth:// link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste a setup link like otpauth://totp/… or a Google Authenticator export link otpauth-migration://offline?data=…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter a key by hand</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>e.g. Google</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>e.g. alice@example.com</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Base32 secret (no spaces)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time-based (TOTP)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Counter (HOTP)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Period</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Service</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Secret</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Algorithm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Digits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encrypted backup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password of this %1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pick a PNG, JPG, or other image that contains the QR code. Multiple QR codes inside one image are supported. Backups and exports of Aegis, 2FAS, andOTP, FreeOTP+, Bitwarden, Proton Authenticator and Ente Auth are read too.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Images and backups (%1 *.json *.2fas *.aes *.txt)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AddAccountModel</name>
    <message>
        <source>Scanning displays…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Secret is not valid Base32.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No accounts were imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing imported: the %1 needs its password.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading the image…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This text is too long to be a setup link (%1). Paste at most %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adding %1 of %2…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AddMode</name>
    <message>
        <source>Scan screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter by hand</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose image…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AppSettings</name>
    <message>
        <source>Settings could not be saved: %1 cannot be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings could not be saved: %1 is not a settings file.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ApplicationShell</name>
    <message numerus="yes">
        <source>%n account(s) not saved in the keyring yet.</source>
        <translation>
            <numerusform>One account is not saved in the keyring yet.</numerusform>
            <numerusform>%n accounts are not saved in the keyring yet.</numerusform>
        </translation>
    </message>
    <message>
        <source>Keep Running</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit Anyway</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>The keyring could not store them, so they would be lost if Brisvane quits now. Keep Brisvane running and it will store them with the next change once the keyring works again.</source>
        <translation>
            <numerusform>The keyring could not store it, so it would be lost if Brisvane quits now. Keep Brisvane running and it will store it with the next change once the keyring works again.</numerusform>
            <numerusform>The keyring could not store them, so they would be lost if Brisvane quits now. Keep Brisvane running and it will store them with the next change once the keyring works again.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ClockNotice</name>
    <message>
        <source>Your clock is not synchronised; codes may be rejected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How to fix it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CopyHUD</name>
    <message>
        <source>Copy confirmation</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DetectedDesktopSession</name>
    <message>
        <source>This desktop does not offer global shortcuts to apps (GlobalShortcuts portal missing).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Running through XWayland: global hotkeys and auto-paste work only while an X11 app has the focus, and Scan screen sees only X11 windows. Install qt6-wayland for the desktop&apos;s own shortcuts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This desktop does not let apps type into other apps, so auto-paste only copies (RemoteDesktop portal missing).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan screen cannot see the screen (Screenshot portal missing); use Image file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Codes can still be copied by clicking them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Running through XWayland: hotkeys work only while an X11 app has the focus.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EditAccountDialog</name>
    <message>
        <source>Edit Account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Example Inc.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Issuer:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Account name:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ExportFormatDialog</name>
    <message>
        <source>Export Accounts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export all accounts as:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text file with otpauth:// links</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aegis-compatible vault, not encrypted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aegis-compatible vault, encrypted with a password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google Authenticator QR codes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeat password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The passwords differ.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Continue…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GeneralTab</name>
    <message>
        <source>Startup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Launch Brisvane at login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When enabled, Brisvane starts automatically every time you log in, so the tray icon and your global hotkeys are always available.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tray</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show a code in the tray</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Account:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows the current code right in the tray, next to the key icon. Note: the code stays visible on screen, so anyone looking at your screen can see it — turn this off if you&apos;d rather keep it hidden until you click the icon.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accounts shown in the menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uncheck an account to hide it from the dropdown (it stays in the main window). Use the arrows in the dropdown or drag rows in the main window to reorder them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear copied codes after</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Seconds before a copied code is cleared</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A copied code is taken off the clipboard again after this time, and when Brisvane quits, unless you have copied something else meanwhile. Clipboard managers are asked not to keep codes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Secure storage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accounts are kept in your login keyring</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your TOTP/HOTP secrets are stored by the desktop&apos;s Secret Service (such as GNOME Keyring or KWallet), encrypted with your login password. They never leave this computer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Keyring Manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not start %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HotKeyController</name>
    <message>
        <source>Code copied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Code pasted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copied (paste not allowed)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Code unavailable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy failed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HotKeysTab</name>
    <message>
        <source>Global hotkeys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Each row links a key combination to one of your accounts. Press the combination anywhere on your desktop — even when this app is in the background — and the current code is copied to the clipboard. Toggle Auto-paste to also insert the code at the cursor in the focused app.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto-paste cannot type into other apps here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This desktop session does not let Brisvane send keystrokes. Codes are still copied; paste them with Ctrl+V.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No hotkeys yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click Add hotkey to map a key combination to one of your accounts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add hotkey</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HotKeysTabBindingRow</name>
    <message>
        <source>Enable this hotkey</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto-paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove hotkey</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>— pick an account —</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A hotkey above already uses this combination; only that one works.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Account deleted</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HotkeysTabRules</name>
    <message>
        <source>%1 active of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto-paste: insert the code at the cursor (not possible in this desktop session)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto-paste: insert the code at the cursor in the focused app</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The desktop has not assigned this combination (it may be taken); pick a key in the desktop&apos;s shortcut settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The desktop assigned %1 instead: press that.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ImportOutcome</name>
    <message>
        <source>(unnamed)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing imported: this file is not a backup or export Brisvane can read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This %1 is encrypted: its password is needed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wrong password for this %1; nothing was imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing imported: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Imported 1 account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Imported %1 accounts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (%1 already present)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; skipped %1: </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KeyNames</name>
    <message>
        <source>Key %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KeychainError</name>
    <message>
        <source>Keychain error: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to decode accounts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to encode accounts.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KeyringErrorHelp</name>
    <message>
        <source>No Secret Service provider answers, or there is no session bus at all.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Install and start a keyring: `sudo apt install gnome-keyring` (or use KWallet with its Secret Service enabled) and log out and in again. Started from a bare terminal or over SSH, make sure `DBUS_SESSION_BUS_ADDRESS` is set (`dbus-run-session -- brisvane`).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The item was not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Usually harmless (an account deleted elsewhere). If it persists, restart Brisvane so it reloads the list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The keyring collection is locked and could not be unlocked.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unlock your login keyring (for example in Passwords and Keys / seahorse, or by logging in with a password rather than automatic login), then try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Any other keyring failure.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restart the keyring daemon (log out and in, or `gnome-keyring-daemon --replace --components=secrets`) and try again; Brisvane reconnects by itself.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Main</name>
    <message>
        <source>One-time password codes (TOTP and HOTP) for your accounts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start without opening the main window (hotkeys and the tray icon still work).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open the settings window (in the running Brisvane when there is one).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Accounts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search accounts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add accounts (Ctrl+N)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No accounts yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click Add to import a QR code, paste a setup link, or enter a key by hand.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyring error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyring not responding</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Brisvane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export, Settings, About and Quit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MigrationCodesWindow</name>
    <message>
        <source>Not in these codes, as Google Authenticator cannot take them:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google Authenticator QR Codes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In Google Authenticator choose Transfer accounts, Import accounts, and scan each code in turn. Anyone who sees these codes can generate your codes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save as PNG…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No account can be exported in this format.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Code %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This code is too large to draw.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not write %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MigrationExport</name>
    <message>
        <source>period %1 s cannot be exported in this format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 digits cannot be exported in this format</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ParseError</name>
    <message>
        <source>Invalid otpauth URL.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unsupported URL scheme.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Missing secret in URL.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not decode secret (Base32).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unsupported OTP type.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not decode Google Authenticator export.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PrivateFile</name>
    <message>
        <source>it is a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the image could not be encoded</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QrImportError</name>
    <message>
        <source>No QR code was found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not capture the screen. Allow screen capture for Brisvane in your desktop&apos;s privacy settings, or use Image file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not read the image.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecorderButton</name>
    <message>
        <source>Press a key combo…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to set</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>General</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hotkeys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TrayIcon</name>
    <message>
        <source>Open Brisvane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Brisvane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TrayRow</name>
    <message>
        <source>Move up or down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move %1 up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move %1 down</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TrayRowCopyButton</name>
    <message>
        <source>Click to copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to copy (code hidden)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Code %1. Click to copy.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Code hidden. Click to copy.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TrayWindow</name>
    <message>
        <source>Show codes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show or hide the codes. Names and copy buttons stay visible.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open main window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No accounts yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add an account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No accounts shown here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose which accounts appear in this menu
in Settings → General → Tray.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit Brisvane (%1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UndoDeleteBar</name>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleted %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>XdgAutostartEntry</name>
    <message>
        <source>The program&apos;s path cannot be written into an autostart entry: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not create the autostart folder %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not remove %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
