<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
    <context>
        <name>AnalysisDialog</name>
        <message>
            <source>Save Location</source>
            <translation>Save Location</translation>
        </message>
    </context>
    <context>
        <name>Appcast</name>
        <message>
            <source>%1 bytes</source>
            <translation>%1 bytes</translation>
        </message>
        <message>
            <source>%1 KB</source>
            <translation>%1 KB</translation>
        </message>
        <message>
            <source>%1 MB</source>
            <translation>%1 MB</translation>
        </message>
        <message>
            <source>about one hour</source>
            <translation>about one hour</translation>
        </message>
        <message>
            <source>about %1 hours</source>
            <translation>about %1 hours</translation>
        </message>
        <message>
            <source>1 minute</source>
            <translation>1 minute</translation>
        </message>
        <message>
            <source>%1 minutes</source>
            <translation>%1 minutes</translation>
        </message>
        <message>
            <source>1 second</source>
            <translation>1 second</translation>
        </message>
        <message>
            <source>%1 seconds</source>
            <translation>%1 seconds</translation>
        </message>
    </context>
    <context>
        <name>CookieFailure</name>
        <message>
            <source>Cookies for sign-in</source>
            <translation>Cookies for sign-in</translation>
        </message>
        <message>
            <source>The cookies file %1 cannot be read.</source>
            <translation>The cookies file %1 cannot be read.</translation>
        </message>
        <message>
            <source>The file %1 is not a cookies file in Netscape format.</source>
            <translation>The file %1 is not a cookies file in Netscape format.</translation>
        </message>
        <message>
            <source>The cookies in %1 could not be read.</source>
            <translation>The cookies in %1 could not be read.</translation>
        </message>
        <message>
            <source>Export the cookies again (in Netscape format), or choose your browser under "Cookies for sign-in" in the settings.</source>
            <translation>Export the cookies again (in Netscape format), or choose your browser under "Cookies for sign-in" in the settings.</translation>
        </message>
        <message>
            <source>The cookies of %1 were not found on this computer.</source>
            <translation>The cookies of %1 were not found on this computer.</translation>
        </message>
        <message>
            <source>The cookies of %1 (profile "%2") were not found on this computer.</source>
            <translation>The cookies of %1 (profile "%2") were not found on this computer.</translation>
        </message>
        <message>
            <source>The extractor cannot read the cookies of %1.</source>
            <translation>The extractor cannot read the cookies of %1.</translation>
        </message>
        <message>
            <source>%1 keeps its cookies locked while it runs.</source>
            <translation>%1 keeps its cookies locked while it runs.</translation>
        </message>
        <message>
            <source>The cookies of %1 could not be decrypted: the system keyring did not give the key.</source>
            <translation>The cookies of %1 could not be decrypted: the system keyring did not give the key.</translation>
        </message>
        <message>
            <source>The cookies of %1 could not be read.</source>
            <translation>The cookies of %1 could not be read.</translation>
        </message>
        <message>
            <source>Close %1 and try again, or export its cookies to a file and choose "Cookies file" under "Cookies for sign-in" in the settings.</source>
            <translation>Close %1 and try again, or export its cookies to a file and choose "Cookies file" under "Cookies for sign-in" in the settings.</translation>
        </message>
    </context>
    <context>
        <name>DownloadChoices</name>
        <message>
            <source> Original Video</source>
            <translation> Original Video</translation>
        </message>
        <message>
            <source> Best Parameter</source>
            <translation> Best Parameter</translation>
        </message>
        <message>
            <source> 8K </source>
            <translation> 8K </translation>
        </message>
        <message>
            <source> 4K </source>
            <translation> 4K </translation>
        </message>
        <message>
            <source> 2K </source>
            <translation> 2K </translation>
        </message>
        <message>
            <source> UHD 1080P</source>
            <translation> UHD 1080P</translation>
        </message>
        <message>
            <source> FHD 720P</source>
            <translation> FHD 720P</translation>
        </message>
        <message>
            <source> HD 480P</source>
            <translation> HD 480P</translation>
        </message>
        <message>
            <source> SD 360P</source>
            <translation> SD 360P</translation>
        </message>
        <message>
            <source> FD 240P</source>
            <translation> FD 240P</translation>
        </message>
        <message>
            <source> FD 144P</source>
            <translation> FD 144P</translation>
        </message>
        <message>
            <source> Only Audio</source>
            <translation> Only Audio</translation>
        </message>
        <message>
            <source> Skip Download</source>
            <translation> Skip Download</translation>
        </message>
        <message>
            <source> Unlimited</source>
            <translation> Unlimited</translation>
        </message>
        <message>
            <source> 1 Mbps</source>
            <translation> 1 Mbps</translation>
        </message>
        <message>
            <source> 512 Kbps</source>
            <translation> 512 Kbps</translation>
        </message>
        <message>
            <source> 200 Kbps</source>
            <translation> 200 Kbps</translation>
        </message>
        <message>
            <source> 100 Kbps</source>
            <translation> 100 Kbps</translation>
        </message>
        <message>
            <source> Save subtitle file</source>
            <translation> Save subtitle file</translation>
        </message>
        <message>
            <source> Embed-subtitle</source>
            <translation> Embed-subtitle</translation>
        </message>
        <message>
            <source> English</source>
            <translation> English</translation>
        </message>
        <message>
            <source> 简体中文</source>
            <translation> Simplified Chinese</translation>
        </message>
        <message>
            <source> 繁体中文</source>
            <translation> Traditional Chinese</translation>
        </message>
        <message>
            <source> 俄语</source>
            <translation> Russian</translation>
        </message>
        <message>
            <source> 韩语</source>
            <translation> Korean</translation>
        </message>
    </context>
    <context>
        <name>DownloadNotifier</name>
        <message>
            <source>Download finished</source>
            <translation>Download finished</translation>
        </message>
        <message>
            <source>Download failed</source>
            <translation>Download failed</translation>
        </message>
        <message>
            <source>Show</source>
            <translation>Show</translation>
        </message>
    </context>
    <context>
        <name>Downloader</name>
        <message>
            <source>Updater</source>
            <translation>Updater</translation>
        </message>
        <message>
            <source>Downloading updates</source>
            <translation>Downloading updates</translation>
        </message>
        <message>
            <source>Time remaining: 0 minutes</source>
            <translation>Time remaining: 0 minutes</translation>
        </message>
        <message>
            <source>升级内容:</source>
            <translation>What's new:</translation>
        </message>
        <message>
            <source>Update</source>
            <translation>Update</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>Stop</translation>
        </message>
        <message>
            <source>Time remaining</source>
            <translation>Time remaining</translation>
        </message>
        <message>
            <source>unknown</source>
            <translation>unknown</translation>
        </message>
        <message>
            <source>Downloading Updates</source>
            <translation>Downloading Updates</translation>
        </message>
        <message>
            <source>Time Remaining</source>
            <translation>Time Remaining</translation>
        </message>
        <message>
            <source>Unknown</source>
            <translation>Unknown</translation>
        </message>
        <message>
            <source>of</source>
            <translation>of</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Close</translation>
        </message>
        <message>
            <source>The downloaded installer does not match its published checksum. It was deleted and will not be started.</source>
            <translation>The downloaded installer does not match its published checksum. It was deleted and will not be started.</translation>
        </message>
        <message>
            <source>The update was refused.</source>
            <translation>The update was refused.</translation>
        </message>
        <message>
            <source>The download of the update failed.</source>
            <translation>The download of the update failed.</translation>
        </message>
        <message>
            <source>Download complete!</source>
            <translation>Download complete!</translation>
        </message>
        <message>
            <source>The installer will open separately</source>
            <translation>The installer will open separately</translation>
        </message>
        <message>
            <source>Click the "Update" button to apply the update</source>
            <translation>Click the "Update" button to apply the update</translation>
        </message>
        <message>
            <source>Error</source>
            <translation>Error</translation>
        </message>
        <message>
            <source>Cannot find downloaded update!</source>
            <translation>Cannot find downloaded update!</translation>
        </message>
        <message>
            <source>Are you sure you want to cancel the download? This is a mandatory update, exiting now will close the application</source>
            <translation>Are you sure you want to cancel the download? This is a mandatory update, exiting now will close the application</translation>
        </message>
        <message>
            <source>Are you sure you want to cancel the download?</source>
            <translation>Are you sure you want to cancel the download?</translation>
        </message>
    </context>
    <context>
        <name>ExtractorNotices</name>
        <message>
            <source>No extractor</source>
            <translation>No extractor</translation>
        </message>
        <message>
            <source>Extractor out of date</source>
            <translation>Extractor out of date</translation>
        </message>
        <message>
            <source>No JavaScript runtime</source>
            <translation>No JavaScript runtime</translation>
        </message>
        <message>
            <source>No extractor was found, so no link can be analysed or downloaded. Install one (on Debian or Ubuntu the package "yt-dlp") or choose "Update extractor" in the menu. Queued tasks wait and start once it is there.</source>
            <translation>No extractor was found, so no link can be analysed or downloaded. Install one (on Debian or Ubuntu the package "yt-dlp") or choose "Update extractor" in the menu. Queued tasks wait and start once it is there.</translation>
        </message>
        <message>
            <source>A download failed and the extractor says that it is out of date. Video sites change often and an old extractor stops working on them: choose "Update extractor" in the menu, then try the task again.</source>
            <translation>A download failed and the extractor says that it is out of date. Video sites change often and an old extractor stops working on them: choose "Update extractor" in the menu, then try the task again.</translation>
        </message>
        <message>
            <source>The extractor found no JavaScript runtime, so some sites give fewer formats or fail. Install one of Deno, Node 20 or later, or QuickJS.</source>
            <translation>The extractor found no JavaScript runtime, so some sites give fewer formats or fail. Install one of Deno, Node 20 or later, or QuickJS.</translation>
        </message>
    </context>
    <context>
        <name>ExtractorUpdate</name>
        <message>
            <source>The extractor is being updated already.</source>
            <translation>The extractor is being updated already.</translation>
        </message>
        <message>
            <source>Downloads are running (%1). The extractor can be updated when none runs: wait until they have finished or pause them, then choose "Update extractor" again.</source>
            <translation>Downloads are running (%1). The extractor can be updated when none runs: wait until they have finished or pause them, then choose "Update extractor" again.</translation>
        </message>
        <message>
            <source>The release address %1 is not used: releases are fetched over https only.</source>
            <translation>The release address %1 is not used: releases are fetched over https only.</translation>
        </message>
        <message>
            <source>The release cannot be checked: the signature checker gpgv is missing. Install it (the Debian package "gpgv") and try again.</source>
            <translation>The release cannot be checked: the signature checker gpgv is missing. Install it (the Debian package "gpgv") and try again.</translation>
        </message>
        <message>
            <source>No temporary folder could be made for the download.</source>
            <translation>No temporary folder could be made for the download.</translation>
        </message>
        <message>
            <source>The download could not be written: %1.</source>
            <translation>The download could not be written: %1.</translation>
        </message>
        <message>
            <source>The release address answered with something other than a release (%1 is too large).</source>
            <translation>The release address answered with something other than a release (%1 is too large).</translation>
        </message>
        <message>
            <source>The release address sent the download on to %1, which is not an https address.</source>
            <translation>The release address sent the download on to %1, which is not an https address.</translation>
        </message>
        <message>
            <source>The download of %1 was cut short.</source>
            <translation>The download of %1 was cut short.</translation>
        </message>
        <message>
            <source>the server answered %1</source>
            <translation>the server answered %1</translation>
        </message>
        <message>
            <source>%1 could not be downloaded from %2: %3.</source>
            <translation>%1 could not be downloaded from %2: %3.</translation>
        </message>
        <message>
            <source>The downloaded %1 does not match the checksum the release lists for it.</source>
            <translation>The downloaded %1 does not match the checksum the release lists for it.</translation>
        </message>
        <message>
            <source>The program's copy of the extractor project's key is damaged.</source>
            <translation>The program's copy of the extractor project's key is damaged.</translation>
        </message>
        <message>
            <source>The download could not be written to %1.</source>
            <translation>The download could not be written to %1.</translation>
        </message>
        <message>
            <source>The release's checksum list is not signed with the extractor project's key.</source>
            <translation>The release's checksum list is not signed with the extractor project's key.</translation>
        </message>
        <message>
            <source>The release's checksum list names no %1.</source>
            <translation>The release's checksum list names no %1.</translation>
        </message>
        <message>
            <source>The new extractor could not be saved in %1.</source>
            <translation>The new extractor could not be saved in %1.</translation>
        </message>
        <message>
            <source>The new extractor does not run on this computer.</source>
            <translation>The new extractor does not run on this computer.</translation>
        </message>
        <message>
            <source>The new extractor could not be put in place of %1.</source>
            <translation>The new extractor could not be put in place of %1.</translation>
        </message>
        <message>
            <source>The extractor was updated to version %1.</source>
            <translation>The extractor was updated to version %1.</translation>
        </message>
        <message>
            <source>It is not used while %1 is found first: remove that file to use the update.</source>
            <translation>It is not used while %1 is found first: remove that file to use the update.</translation>
        </message>
        <message>
            <source>The extractor in use is unchanged.</source>
            <translation>The extractor in use is unchanged.</translation>
        </message>
    </context>
    <context>
        <name>ExtractorUpdateDialog</name>
        <message>
            <source>Update extractor</source>
            <translation>Update extractor</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Cancel</translation>
        </message>
        <message>
            <source>Fetching the list of the newest release…</source>
            <translation>Fetching the list of the newest release…</translation>
        </message>
        <message>
            <source>Checking the release's signature…</source>
            <translation>Checking the release's signature…</translation>
        </message>
        <message>
            <source>Downloading the extractor…</source>
            <translation>Downloading the extractor…</translation>
        </message>
        <message>
            <source>Trying the new extractor…</source>
            <translation>Trying the new extractor…</translation>
        </message>
    </context>
    <context>
        <name>FailReason</name>
        <message>
            <source>disk full</source>
            <translation>disk full</translation>
        </message>
        <message>
            <source>name too long</source>
            <translation>name too long</translation>
        </message>
        <message>
            <source>folder not usable</source>
            <translation>folder not usable</translation>
        </message>
        <message>
            <source>no answer</source>
            <translation>no answer</translation>
        </message>
        <message>
            <source>extractor error</source>
            <translation>extractor error</translation>
        </message>
        <message>
            <source>file incomplete</source>
            <translation>file incomplete</translation>
        </message>
        <message>
            <source>Failed: %1</source>
            <translation>Failed: %1</translation>
        </message>
        <message>
            <source>no answer from the extractor</source>
            <translation>no answer from the extractor</translation>
        </message>
        <message>
            <source>cookies unreadable</source>
            <translation>cookies unreadable</translation>
        </message>
    </context>
    <context>
        <name>LinkIntake</name>
        <message>
            <source>Warning</source>
            <translation>Warning</translation>
        </message>
        <message>
            <source>Please paste the correct URL address!</source>
            <translation>Please paste the correct URL address!</translation>
        </message>
        <message>
            <source>提示:</source>
            <translation>Tips:</translation>
        </message>
        <message>
            <source>发现视频链接地址包含视频列表信息,如果选择“yes”，下载视频列表，如果选择“NO”,下载单个视频</source>
            <translation>The link also names a playlist. Choose Yes to download the whole list, No to download this video only.</translation>
        </message>
    </context>
    <context>
        <name>ListDialog</name>
        <message>
            <source>Video Analytics</source>
            <translation>Video Analytics</translation>
        </message>
        <message>
            <source>All Selected</source>
            <translation>All Selected</translation>
        </message>
        <message>
            <source>Quality:</source>
            <translation>Quality:</translation>
        </message>
        <message>
            <source>Language:</source>
            <translation>Language:</translation>
        </message>
        <message>
            <source>Save Location:</source>
            <translation>Save Location:</translation>
        </message>
        <message>
            <source>thumbnail</source>
            <translation>thumbnail</translation>
        </message>
        <message>
            <source>Analysing... </source>
            <translation>Analysing... </translation>
        </message>
        <message>
            <source>Parsing completed,select videoes and click download</source>
            <translation>Parsing completed,select videoes and click download</translation>
        </message>
        <message>
            <source> items</source>
            <translation> items</translation>
        </message>
        <message>
            <source>Parsing failture</source>
            <translation>Parsing failture</translation>
        </message>
    </context>
    <context>
        <name>MainWindow</name>
        <message>
            <source>+Batch import</source>
            <translation>+Batch import</translation>
        </message>
        <message>
            <source>+Batch export</source>
            <translation>+Batch export</translation>
        </message>
        <message>
            <source>Use adaptive proxy server .</source>
            <translation>Use adaptive proxy server .</translation>
        </message>
        <message>
            <source>Don't use proxy server .</source>
            <translation>Don't use proxy server .</translation>
        </message>
        <message>
            <source>Use IE proxy server .</source>
            <translation>Use IE proxy server .</translation>
        </message>
        <message>
            <source>Use customized proxy server .</source>
            <translation>Use customized proxy server .</translation>
        </message>
        <message>
            <source>IP:</source>
            <translation>IP:</translation>
        </message>
        <message>
            <source>Port:</source>
            <translation>Port:</translation>
        </message>
        <message>
            <source>setting</source>
            <translation>setting</translation>
        </message>
        <message>
            <source>When download failture,auto redownload.</source>
            <translation>When download failture,auto redownload.</translation>
        </message>
        <message>
            <source>Load historical records .</source>
            <translation>Load historical records .</translation>
        </message>
        <message>
            <source>Auto delete file that does not exist.</source>
            <translation>Auto delete file that does not exist.</translation>
        </message>
        <message>
            <source>A Vidoe,A folder.</source>
            <translation>A Vidoe,A folder.</translation>
        </message>
        <message>
            <source>Number of the videoes </source>
            <translation>Number of the videoes </translation>
        </message>
        <message>
            <source>Number of the processes </source>
            <translation>Number of the processes </translation>
        </message>
        <message>
            <source>Number of analysis processes </source>
            <translation>Number of analysis processes </translation>
        </message>
        <message>
            <source>1.Copy video link </source>
            <translation>1.Copy video link </translation>
        </message>
        <message>
            <source>2.Click paste link button </source>
            <translation>2.Click paste link button </translation>
        </message>
        <message>
            <source>3.select download </source>
            <translation>3.select download </translation>
        </message>
        <message>
            <source>How to parsing failure:</source>
            <translation>How to parsing failure:</translation>
        </message>
        <message>
            <source>Please contact us. we can provide free remote service and compensation.</source>
            <translation>Please contact us. we can provide free remote service and compensation.</translation>
        </message>
        <message>
            <source>Orvanta Quillon</source>
            <translation>Orvanta Quillon</translation>
        </message>
        <message>
            <source>Enable One-key configuration mode</source>
            <translation>Enable One-key configuration mode</translation>
        </message>
        <message>
            <source>Video quality</source>
            <translation>Video quality</translation>
        </message>
        <message>
            <source>Download rate</source>
            <translation>Download rate</translation>
        </message>
        <message>
            <source>Subtitle</source>
            <translation>Subtitle</translation>
        </message>
        <message>
            <source>Save location</source>
            <translation>Save location</translation>
        </message>
        <message>
            <source>Thumbnail</source>
            <translation>Thumbnail</translation>
        </message>
        <message>
            <source>Testing proxy status,please confirm that the agent is open.</source>
            <translation>Testing proxy status,please confirm that the agent is open.</translation>
        </message>
        <message>
            <source>Version: </source>
            <translation>Version: </translation>
        </message>
        <message>
            <source>The network is available.</source>
            <translation>The network is available.</translation>
        </message>
        <message>
            <source>A fast, friendly downloader for videos, playlists and channels.</source>
            <translation>A fast, friendly downloader for videos, playlists and channels.</translation>
        </message>
        <message>
            <source>E-mail: </source>
            <translation>E-mail: </translation>
        </message>
        <message>
            <source>Service hours: 9:00 - 18:00, Monday to Friday</source>
            <translation>Service hours: 9:00 - 18:00, Monday to Friday</translation>
        </message>
        <message>
            <source>Remote help is free of charge.</source>
            <translation>Remote help is free of charge.</translation>
        </message>
        <message>
            <source>Copy the video link address and click on me</source>
            <translation>Copy the video link address and click on me</translation>
        </message>
        <message>
            <source>Notice</source>
            <translation>Notice</translation>
        </message>
        <message>
            <source>Minimize</source>
            <translation>Minimize</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Close</translation>
        </message>
        <message>
            <source>Menu</source>
            <translation>Menu</translation>
        </message>
        <message>
            <source>Service and settings</source>
            <translation>Service and settings</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Help</translation>
        </message>
        <message>
            <source>One-key configuration</source>
            <translation>One-key configuration</translation>
        </message>
        <message>
            <source>Delete the tasks of this list</source>
            <translation>Delete the tasks of this list</translation>
        </message>
        <message>
            <source>Retry every failed task</source>
            <translation>Retry every failed task</translation>
        </message>
        <message>
            <source>Load history</source>
            <translation>Load history</translation>
        </message>
        <message>
            <source>Refresh</source>
            <translation>Refresh</translation>
        </message>
        <message>
            <source>Choose folder</source>
            <translation>Choose folder</translation>
        </message>
        <message>
            <source>Test the connection with the link on the clipboard</source>
            <translation>Test the connection with the link on the clipboard</translation>
        </message>
        <message>
            <source>Start all</source>
            <translation>Start all</translation>
        </message>
        <message>
            <source>Pause all</source>
            <translation>Pause all</translation>
        </message>
        <message>
            <source>Website</source>
            <translation>Website</translation>
        </message>
        <message>
            <source>FAQs</source>
            <translation>FAQs</translation>
        </message>
        <message>
            <source>About US</source>
            <translation>About US</translation>
        </message>
        <message>
            <source>Update</source>
            <translation>Update</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>Language</translation>
        </message>
        <message>
            <source>English</source>
            <translation>English</translation>
        </message>
        <message>
            <source>简体中文</source>
            <translation>简体中文</translation>
        </message>
        <message>
            <source>Redownload</source>
            <translation>Redownload</translation>
        </message>
        <message>
            <source>Are you sure to redownload this items?</source>
            <translation>Are you sure to redownload this items?</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Delete</translation>
        </message>
        <message>
            <source>Are you sure to delete this items?</source>
            <translation>Are you sure to delete this items?</translation>
        </message>
        <message>
            <source>Tips</source>
            <translation>Tips</translation>
        </message>
        <message>
            <source>Please waiting for detection agent ...,Software needs third-party agent support.If you have installed the agent,please contact us,We will solve it as soon as possible. </source>
            <translation>Please waiting for detection agent ...,Software needs third-party agent support.If you have installed the agent,please contact us,We will solve it as soon as possible. </translation>
        </message>
        <message>
            <source>Warnning</source>
            <translation>Warnning</translation>
        </message>
        <message>
            <source>Are you sure to redownload this item?</source>
            <translation>Are you sure to redownload this item?</translation>
        </message>
        <message>
            <source>Are you sure to delete this item?</source>
            <translation>Are you sure to delete this item?</translation>
        </message>
        <message>
            <source>选择批量导入文件</source>
            <translation>Choose a file of links to import</translation>
        </message>
        <message>
            <source>TXT(*.txt)</source>
            <translation>TXT(*.txt)</translation>
        </message>
        <message>
            <source>保存的文件</source>
            <translation>Save links to file</translation>
        </message>
        <message>
            <source>.</source>
            <translation>.</translation>
        </message>
        <message>
            <source>打开写入文件</source>
            <translation>Open file for writing</translation>
        </message>
        <message>
            <source>打开要写入的文件失败，请检查文件名和是否具有写入权限！</source>
            <translation>The file could not be opened for writing. Please check the file name and your write permission.</translation>
        </message>
        <message>
            <source>Save Location</source>
            <translation>Save Location</translation>
        </message>
        <message>
            <source>Task database</source>
            <translation>Task database</translation>
        </message>
        <message>
            <source>Tasks cannot be saved: the task database cannot be written (%1). New tasks and changes last only until the program ends.</source>
            <translation>Tasks cannot be saved: the task database cannot be written (%1). New tasks and changes last only until the program ends.</translation>
        </message>
        <message>
            <source>The task database could not be read. It was kept as %1 and a new, empty one was started.</source>
            <translation>The task database could not be read. It was kept as %1 and a new, empty one was started.</translation>
        </message>
        <message>
            <source>No popular lists are available.</source>
            <translation>No popular lists are available.</translation>
        </message>
        <message>
            <source>This Version is the lastest Version, Thank you for support Orvanta quillon.</source>
            <translation>This Version is the lastest Version, Thank you for support Orvanta quillon.</translation>
        </message>
        <message>
            <source>Extractor: looking for it…</source>
            <translation>Extractor: looking for it…</translation>
        </message>
        <message>
            <source>Extractor: none found</source>
            <translation>Extractor: none found</translation>
        </message>
        <message>
            <source>Extractor: %1</source>
            <translation>Extractor: %1</translation>
        </message>
        <message>
            <source>Extractor version: %1</source>
            <translation>Extractor version: %1</translation>
        </message>
        <message>
            <source>it does not answer</source>
            <translation>it does not answer</translation>
        </message>
        <message>
            <source>JavaScript runtime: %1</source>
            <translation>JavaScript runtime: %1</translation>
        </message>
        <message>
            <source>none</source>
            <translation>none</translation>
        </message>
        <message>
            <source>Update extractor</source>
            <translation>Update extractor</translation>
        </message>
        <message>
            <source>none (%1 is too old for this extractor)</source>
            <translation>none (%1 is too old for this extractor)</translation>
        </message>
        <message>
            <source>Notify me when a download ends in the background.</source>
            <translation>Notify me when a download ends in the background.</translation>
        </message>
        <message>
            <source>No update service is configured for this copy, so updates cannot be checked here.</source>
            <translation>No update service is configured for this copy, so updates cannot be checked here.</translation>
        </message>
        <message>
            <source>Cookies for sign-in</source>
            <translation>Cookies for sign-in</translation>
        </message>
        <message>
            <source>Default profile</source>
            <translation>Default profile</translation>
        </message>
        <message>
            <source>No file chosen</source>
            <translation>No file chosen</translation>
        </message>
        <message>
            <source>Choose file...</source>
            <translation>Choose file...</translation>
        </message>
        <message>
            <source>Read at every analysis and download; the program keeps no cookies.</source>
            <translation>Read at every analysis and download; the program keeps no cookies.</translation>
        </message>
        <message>
            <source>None</source>
            <translation>None</translation>
        </message>
        <message>
            <source>Cookies file</source>
            <translation>Cookies file</translation>
        </message>
        <message>
            <source>Profile</source>
            <translation>Profile</translation>
        </message>
        <message>
            <source>File</source>
            <translation>File</translation>
        </message>
        <message>
            <source>Choose a cookies file</source>
            <translation>Choose a cookies file</translation>
        </message>
        <message>
            <source>Cookies files (*.txt);;All files (*)</source>
            <translation>Cookies files (*.txt);;All files (*)</translation>
        </message>
        <message>
            <source>%1 is not a cookies file in Netscape format. Export the cookies with a browser extension that writes this format (its first line is "# Netscape HTTP Cookie File").</source>
            <translation>%1 is not a cookies file in Netscape format. Export the cookies with a browser extension that writes this format (its first line is "# Netscape HTTP Cookie File").</translation>
        </message>
        <message>
            <source>Choose the cookies file first, or choose "None".</source>
            <translation>Choose the cookies file first, or choose "None".</translation>
        </message>
    </context>
    <context>
        <name>NoticeDialog</name>
        <message>
            <source>Notice</source>
            <translation>Notice</translation>
        </message>
        <message>
            <source>There are no notices at the moment.</source>
            <translation>There are no notices at the moment.</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Close</translation>
        </message>
    </context>
    <context>
        <name>ProxyController</name>
        <message>
            <source>Please input proxy server port number.</source>
            <translation>Please input proxy server port number.</translation>
        </message>
        <message>
            <source>The new port establishes the success..</source>
            <translation>The new port establishes the success..</translation>
        </message>
        <message>
            <source>Testing the proxy server...</source>
            <translation>Testing the proxy server...</translation>
        </message>
        <message>
            <source>The proxy server works: %1</source>
            <translation>The proxy server works: %1</translation>
        </message>
        <message>
            <source>The proxy server does not answer. Please check that it is running.</source>
            <translation>The proxy server does not answer. Please check that it is running.</translation>
        </message>
    </context>
    <context>
        <name>Quillon</name>
        <message>
            <source>Orvanta Quillon</source>
            <translation>Orvanta Quillon</translation>
        </message>
        <message>
            <source>Version: </source>
            <translation>Version: </translation>
        </message>
        <message>
            <source>Notice</source>
            <translation>Notice</translation>
        </message>
        <message>
            <source>Website</source>
            <translation>Website</translation>
        </message>
        <message>
            <source>FAQs</source>
            <translation>FAQs</translation>
        </message>
        <message>
            <source>About US</source>
            <translation>About US</translation>
        </message>
        <message>
            <source>Update</source>
            <translation>Update</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>Language</translation>
        </message>
        <message>
            <source>English</source>
            <translation>English</translation>
        </message>
        <message>
            <source>简体中文</source>
            <translation>简体中文</translation>
        </message>
        <message>
            <source>Testing proxy status,please confirm that the agent is open.</source>
            <translation>Testing proxy status,please confirm that the agent is open.</translation>
        </message>
        <message>
            <source>The network is available.</source>
            <translation>The network is available.</translation>
        </message>
        <message>
            <source>1.Copy video link </source>
            <translation>1.Copy video link </translation>
        </message>
        <message>
            <source>2.Click paste link button </source>
            <translation>2.Click paste link button </translation>
        </message>
        <message>
            <source>3.select download </source>
            <translation>3.select download </translation>
        </message>
        <message>
            <source>How to parsing failure:</source>
            <translation>How to parsing failure:</translation>
        </message>
        <message>
            <source>Please contact us. we can provide free remote service and compensation.</source>
            <translation>Please contact us. we can provide free remote service and compensation.</translation>
        </message>
        <message>
            <source>Copy the video link address and click on me</source>
            <translation>Copy the video link address and click on me</translation>
        </message>
        <message>
            <source>Minimize</source>
            <translation>Minimize</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Close</translation>
        </message>
        <message>
            <source>Menu</source>
            <translation>Menu</translation>
        </message>
        <message>
            <source>Service and settings</source>
            <translation>Service and settings</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Help</translation>
        </message>
        <message>
            <source>E-mail: </source>
            <translation>E-mail: </translation>
        </message>
        <message>
            <source>Service hours: 9:00 - 18:00, Monday to Friday</source>
            <translation>Service hours: 9:00 - 18:00, Monday to Friday</translation>
        </message>
        <message>
            <source>Remote help is free of charge.</source>
            <translation>Remote help is free of charge.</translation>
        </message>
        <message>
            <source>A fast, friendly downloader for videos, playlists and channels.</source>
            <translation>A fast, friendly downloader for videos, playlists and channels.</translation>
        </message>
        <message>
            <source>When download failture,auto redownload.</source>
            <translation>When download failture,auto redownload.</translation>
        </message>
        <message>
            <source>Load historical records .</source>
            <translation>Load historical records .</translation>
        </message>
        <message>
            <source>Auto delete file that does not exist.</source>
            <translation>Auto delete file that does not exist.</translation>
        </message>
        <message>
            <source>A Vidoe,A folder.</source>
            <translation>A Vidoe,A folder.</translation>
        </message>
        <message>
            <source>Number of the videoes </source>
            <translation>Number of the videoes </translation>
        </message>
        <message>
            <source>Number of the processes </source>
            <translation>Number of the processes </translation>
        </message>
        <message>
            <source>Number of analysis processes </source>
            <translation>Number of analysis processes </translation>
        </message>
        <message>
            <source>Use adaptive proxy server .</source>
            <translation>Use adaptive proxy server .</translation>
        </message>
        <message>
            <source>Don't use proxy server .</source>
            <translation>Don't use proxy server .</translation>
        </message>
        <message>
            <source>Use IE proxy server .</source>
            <translation>Use IE proxy server .</translation>
        </message>
        <message>
            <source>Use customized proxy server .</source>
            <translation>Use customized proxy server .</translation>
        </message>
        <message>
            <source>IP:</source>
            <translation>IP:</translation>
        </message>
        <message>
            <source>Port:</source>
            <translation>Port:</translation>
        </message>
        <message>
            <source>setting</source>
            <translation>setting</translation>
        </message>
        <message>
            <source>Tips</source>
            <translation>Tips</translation>
        </message>
        <message>
            <source>Please input proxy server port number.</source>
            <translation>Please input proxy server port number.</translation>
        </message>
        <message>
            <source>The new port establishes the success..</source>
            <translation>The new port establishes the success..</translation>
        </message>
        <message>
            <source>Test the connection with the link on the clipboard</source>
            <translation>Test the connection with the link on the clipboard</translation>
        </message>
        <message>
            <source>Please waiting for detection agent ...,Software needs third-party agent support.If you have installed the agent,please contact us,We will solve it as soon as possible. </source>
            <translation>Please waiting for detection agent ...,Software needs third-party agent support.If you have installed the agent,please contact us,We will solve it as soon as possible. </translation>
        </message>
        <message>
            <source>Warning</source>
            <translation>Warning</translation>
        </message>
        <message>
            <source>Please paste the correct URL address!</source>
            <translation>Please paste the correct URL address!</translation>
        </message>
        <message>
            <source>提示:</source>
            <translation>Tips:</translation>
        </message>
        <message>
            <source>发现视频链接地址包含视频列表信息,如果选择“yes”，下载视频列表，如果选择“NO”,下载单个视频</source>
            <translation>The link also names a playlist. Choose Yes to download the whole list, No to download this video only.</translation>
        </message>
        <message>
            <source>Queuing</source>
            <translation>Queuing</translation>
        </message>
        <message>
            <source>Analysing</source>
            <translation>Analysing</translation>
        </message>
        <message>
            <source>Downloading</source>
            <translation>Downloading</translation>
        </message>
        <message>
            <source>Finished</source>
            <translation>Finished</translation>
        </message>
        <message>
            <source>Download Failed</source>
            <translation>Download Failed</translation>
        </message>
        <message>
            <source>Pause</source>
            <translation>Pause</translation>
        </message>
        <message>
            <source>Copy download link</source>
            <translation>Copy download link</translation>
        </message>
        <message>
            <source>Open folder</source>
            <translation>Open folder</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Delete</translation>
        </message>
        <message>
            <source>Redownload</source>
            <translation>Redownload</translation>
        </message>
        <message>
            <source>Start</source>
            <translation>Start</translation>
        </message>
        <message>
            <source>play</source>
            <translation>play</translation>
        </message>
        <message>
            <source>retry download</source>
            <translation>retry download</translation>
        </message>
        <message>
            <source>open file location</source>
            <translation>open file location</translation>
        </message>
        <message>
            <source>Warnning</source>
            <translation>Warnning</translation>
        </message>
        <message>
            <source>Are you sure to redownload this item?</source>
            <translation>Are you sure to redownload this item?</translation>
        </message>
        <message>
            <source>Are you sure to delete this item?</source>
            <translation>Are you sure to delete this item?</translation>
        </message>
        <message>
            <source>Are you sure to delete this items?</source>
            <translation>Are you sure to delete this items?</translation>
        </message>
        <message>
            <source>Are you sure to redownload this items?</source>
            <translation>Are you sure to redownload this items?</translation>
        </message>
        <message>
            <source>Delete the tasks of this list</source>
            <translation>Delete the tasks of this list</translation>
        </message>
        <message>
            <source>Retry every failed task</source>
            <translation>Retry every failed task</translation>
        </message>
        <message>
            <source>Start all</source>
            <translation>Start all</translation>
        </message>
        <message>
            <source>Pause all</source>
            <translation>Pause all</translation>
        </message>
        <message>
            <source>Load history</source>
            <translation>Load history</translation>
        </message>
        <message>
            <source>+Batch import</source>
            <translation>+Batch import</translation>
        </message>
        <message>
            <source>+Batch export</source>
            <translation>+Batch export</translation>
        </message>
        <message>
            <source>ALL List</source>
            <translation>ALL List</translation>
        </message>
        <message>
            <source>Pause List</source>
            <translation>Pause List</translation>
        </message>
        <message>
            <source>Downloading List</source>
            <translation>Downloading List</translation>
        </message>
        <message>
            <source>Downloaded List</source>
            <translation>Downloaded List</translation>
        </message>
        <message>
            <source>Failture List</source>
            <translation>Failture List</translation>
        </message>
        <message>
            <source>选择批量导入文件</source>
            <translation>Choose a file of links to import</translation>
        </message>
        <message>
            <source>TXT(*.txt)</source>
            <translation>TXT(*.txt)</translation>
        </message>
        <message>
            <source>保存的文件</source>
            <translation>Save links to file</translation>
        </message>
        <message>
            <source>打开写入文件</source>
            <translation>Open file for writing</translation>
        </message>
        <message>
            <source>打开要写入的文件失败，请检查文件名和是否具有写入权限！</source>
            <translation>The file could not be opened for writing. Please check the file name and your write permission.</translation>
        </message>
        <message>
            <source>Video Analytics</source>
            <translation>Video Analytics</translation>
        </message>
        <message>
            <source>Analysing... </source>
            <translation>Analysing... </translation>
        </message>
        <message>
            <source>Download Subtitle</source>
            <translation>Download Subtitle</translation>
        </message>
        <message>
            <source>Download thumbnail </source>
            <translation>Download thumbnail </translation>
        </message>
        <message>
            <source>Language:</source>
            <translation>Language:</translation>
        </message>
        <message>
            <source>Save Location</source>
            <translation>Save Location</translation>
        </message>
        <message>
            <source>please select a type </source>
            <translation>please select a type </translation>
        </message>
        <message>
            <source>提示：不是常用视频格式，推荐选择AVC1格式</source>
            <translation>Tip: this is not a common video format; AVC1 is recommended.</translation>
        </message>
        <message>
            <source>Incorrect Url address or network unreachabl.</source>
            <translation>Incorrect Url address or network unreachabl.</translation>
        </message>
        <message>
            <source>Best Video</source>
            <translation>Best Video</translation>
        </message>
        <message>
            <source>Video</source>
            <translation>Video</translation>
        </message>
        <message>
            <source>Audeo</source>
            <translation>Audeo</translation>
        </message>
        <message>
            <source>Video Resolution</source>
            <translation>Video Resolution</translation>
        </message>
        <message>
            <source>Video Size</source>
            <translation>Video Size</translation>
        </message>
        <message>
            <source>Video Frames Per Second</source>
            <translation>Video Frames Per Second</translation>
        </message>
        <message>
            <source>Video Encoding Format</source>
            <translation>Video Encoding Format</translation>
        </message>
        <message>
            <source>繁体中文</source>
            <translation>Traditional Chinese</translation>
        </message>
        <message>
            <source>俄语</source>
            <translation>Russian</translation>
        </message>
        <message>
            <source>韩语</source>
            <translation>Korean</translation>
        </message>
        <message>
            <source>All Selected</source>
            <translation>All Selected</translation>
        </message>
        <message>
            <source>thumbnail</source>
            <translation>thumbnail</translation>
        </message>
        <message>
            <source>Parsing completed,select videoes and click download</source>
            <translation>Parsing completed,select videoes and click download</translation>
        </message>
        <message>
            <source> items</source>
            <translation> items</translation>
        </message>
        <message>
            <source>Parsing failture</source>
            <translation>Parsing failture</translation>
        </message>
        <message>
            <source>Download</source>
            <translation>Download</translation>
        </message>
        <message>
            <source>Choose folder</source>
            <translation>Choose folder</translation>
        </message>
        <message>
            <source>Enable One-key configuration mode</source>
            <translation>Enable One-key configuration mode</translation>
        </message>
        <message>
            <source>One-key configuration</source>
            <translation>One-key configuration</translation>
        </message>
        <message>
            <source>Video quality</source>
            <translation>Video quality</translation>
        </message>
        <message>
            <source>Download rate</source>
            <translation>Download rate</translation>
        </message>
        <message>
            <source>Subtitle</source>
            <translation>Subtitle</translation>
        </message>
        <message>
            <source>Save location</source>
            <translation>Save location</translation>
        </message>
        <message>
            <source>Thumbnail</source>
            <translation>Thumbnail</translation>
        </message>
        <message>
            <source>Download link</source>
            <translation>Download link</translation>
        </message>
        <message>
            <source>Refresh</source>
            <translation>Refresh</translation>
        </message>
        <message>
            <source>This Version is the lastest Version, Thank you for support Orvanta quillon.</source>
            <translation>This Version is the lastest Version, Thank you for support Orvanta quillon.</translation>
        </message>
        <message>
            <source>Congratulations! You are running the latest version of %1</source>
            <translation>Congratulations! You are running the latest version of %1</translation>
        </message>
        <message>
            <source>No updates are available for the moment</source>
            <translation>No updates are available for the moment</translation>
        </message>
        <message>
            <source>Downloading updates</source>
            <translation>Downloading updates</translation>
        </message>
        <message>
            <source>Downloading Updates</source>
            <translation>Downloading Updates</translation>
        </message>
        <message>
            <source>Time remaining: 0 minutes</source>
            <translation>Time remaining: 0 minutes</translation>
        </message>
        <message>
            <source>Time remaining</source>
            <translation>Time remaining</translation>
        </message>
        <message>
            <source>Time Remaining</source>
            <translation>Time Remaining</translation>
        </message>
        <message>
            <source>unknown</source>
            <translation>unknown</translation>
        </message>
        <message>
            <source>Unknown</source>
            <translation>Unknown</translation>
        </message>
        <message>
            <source>of</source>
            <translation>of</translation>
        </message>
        <message>
            <source>about one hour</source>
            <translation>about one hour</translation>
        </message>
        <message>
            <source>about %1 hours</source>
            <translation>about %1 hours</translation>
        </message>
        <message>
            <source>1 minute</source>
            <translation>1 minute</translation>
        </message>
        <message>
            <source>%1 minutes</source>
            <translation>%1 minutes</translation>
        </message>
        <message>
            <source>1 second</source>
            <translation>1 second</translation>
        </message>
        <message>
            <source>%1 seconds</source>
            <translation>%1 seconds</translation>
        </message>
        <message>
            <source>Download complete!</source>
            <translation>Download complete!</translation>
        </message>
        <message>
            <source>The installer will open separately</source>
            <translation>The installer will open separately</translation>
        </message>
        <message>
            <source>Click the "Update" button to apply the update</source>
            <translation>Click the "Update" button to apply the update</translation>
        </message>
        <message>
            <source>Error</source>
            <translation>Error</translation>
        </message>
        <message>
            <source>Cannot find downloaded update!</source>
            <translation>Cannot find downloaded update!</translation>
        </message>
        <message>
            <source>Updater</source>
            <translation>Updater</translation>
        </message>
        <message>
            <source>Are you sure you want to cancel the download?</source>
            <translation>Are you sure you want to cancel the download?</translation>
        </message>
        <message>
            <source>Are you sure you want to cancel the download? This is a mandatory update, exiting now will close the application</source>
            <translation>Are you sure you want to cancel the download? This is a mandatory update, exiting now will close the application</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>Stop</translation>
        </message>
        <message>
            <source>升级内容:</source>
            <translation>What's new:</translation>
        </message>
        <message>
            <source>No popular lists are available.</source>
            <translation>No popular lists are available.</translation>
        </message>
        <message>
            <source>There are no notices at the moment.</source>
            <translation>There are no notices at the moment.</translation>
        </message>
        <message>
            <source>The downloaded installer does not match its published checksum. It was deleted and will not be started.</source>
            <translation>The downloaded installer does not match its published checksum. It was deleted and will not be started.</translation>
        </message>
        <message>
            <source>The update was refused.</source>
            <translation>The update was refused.</translation>
        </message>
        <message>
            <source>The download of the update failed.</source>
            <translation>The download of the update failed.</translation>
        </message>
        <message>
            <source>The update information could not be read. Please try again later.</source>
            <translation>The update information could not be read. Please try again later.</translation>
        </message>
        <message>
            <source>%1 bytes</source>
            <translation>%1 bytes</translation>
        </message>
        <message>
            <source>%1 KB</source>
            <translation>%1 KB</translation>
        </message>
        <message>
            <source>%1 MB</source>
            <translation>%1 MB</translation>
        </message>
        <message>
            <source>Notify me when a download ends in the background.</source>
            <translation>Notify me when a download ends in the background.</translation>
        </message>
        <message>
            <source>Download finished</source>
            <translation>Download finished</translation>
        </message>
        <message>
            <source>Download failed</source>
            <translation>Download failed</translation>
        </message>
        <message>
            <source>Show</source>
            <translation>Show</translation>
        </message>
    </context>
    <context>
        <name>RetryRules</name>
        <message>
            <source>Retry %1 of %2 at %3</source>
            <translation>Retry %1 of %2 at %3</translation>
        </message>
    </context>
    <context>
        <name>SingleDialog</name>
        <message>
            <source>Video Analytics</source>
            <translation>Video Analytics</translation>
        </message>
        <message>
            <source>Save Location:</source>
            <translation>Save Location:</translation>
        </message>
        <message>
            <source>Download Subtitle</source>
            <translation>Download Subtitle</translation>
        </message>
        <message>
            <source>Language:</source>
            <translation>Language:</translation>
        </message>
        <message>
            <source>Download thumbnail </source>
            <translation>Download thumbnail </translation>
        </message>
        <message>
            <source>Analysing... </source>
            <translation>Analysing... </translation>
        </message>
        <message>
            <source>Incorrect Url address or network unreachabl.</source>
            <translation>Incorrect Url address or network unreachabl.</translation>
        </message>
        <message>
            <source>提示：不是常用视频格式，推荐选择AVC1格式</source>
            <translation>Tip: this is not a common video format; AVC1 is recommended.</translation>
        </message>
        <message>
            <source>Warning</source>
            <translation>Warning</translation>
        </message>
        <message>
            <source>please select a type </source>
            <translation>please select a type </translation>
        </message>
    </context>
    <context>
        <name>TaskStatus</name>
        <message>
            <source>Queuing</source>
            <translation>Queuing</translation>
        </message>
        <message>
            <source>Analysing</source>
            <translation>Analysing</translation>
        </message>
        <message>
            <source>Downloading</source>
            <translation>Downloading</translation>
        </message>
        <message>
            <source>Finished</source>
            <translation>Finished</translation>
        </message>
        <message>
            <source>Download Failed</source>
            <translation>Download Failed</translation>
        </message>
        <message>
            <source>Pause</source>
            <translation>Pause</translation>
        </message>
        <message>
            <source>Failed: Update extractor</source>
            <translation>Failed: Update extractor</translation>
        </message>
    </context>
    <context>
        <name>TopForm</name>
        <message>
            <source>Download</source>
            <translation>Download</translation>
        </message>
        <message>
            <source>Copy download link</source>
            <translation>Copy download link</translation>
        </message>
        <message>
            <source>Download link</source>
            <translation>Download link</translation>
        </message>
    </context>
    <context>
        <name>Updater</name>
        <message>
            <source>Updater</source>
            <translation>Updater</translation>
        </message>
        <message>
            <source>The update information could not be read. Please try again later.</source>
            <translation>The update information could not be read. Please try again later.</translation>
        </message>
        <message>
            <source>Congratulations! You are running the latest version of %1</source>
            <translation>Congratulations! You are running the latest version of %1</translation>
        </message>
        <message>
            <source>No updates are available for the moment</source>
            <translation>No updates are available for the moment</translation>
        </message>
    </context>
    <context>
        <name>itemWidget</name>
        <message>
            <source>play</source>
            <translation>play</translation>
        </message>
        <message>
            <source>retry download</source>
            <translation>retry download</translation>
        </message>
        <message>
            <source>open file location</source>
            <translation>open file location</translation>
        </message>
        <message>
            <source>Copy download link</source>
            <translation>Copy download link</translation>
        </message>
        <message>
            <source>Open folder</source>
            <translation>Open folder</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Delete</translation>
        </message>
        <message>
            <source>Redownload</source>
            <translation>Redownload</translation>
        </message>
        <message>
            <source>Start</source>
            <translation>Start</translation>
        </message>
        <message>
            <source>Pause download</source>
            <translation>Pause download</translation>
        </message>
    </context>
</TS>
