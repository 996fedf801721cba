<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- SPDX-FileCopyrightText: 2026 The lumo3 authors -->
<!-- SPDX-License-Identifier: GPL-3.0-or-later -->
<!-- Thai for the texts of Qt's own dialogs, buttons and menus that the teacher's window shows. -->
<TS version="2.1" language="th_TH" sourcelanguage="en">
<context>
    <name>QDialogButtonBox</name>
    <message>
        <source>OK</source>
        <translation>ตกลง</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>ตกลง</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>ไม่ใช่ (&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>ใช่ (&amp;Y)</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>วิธีใช้</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>เปิด</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>บันทึก</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>ยกเลิกการทำงาน</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>นำไปใช้</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>ปิด</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>ตั้งใหม่</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>ลองใหม่</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>คืนค่าเริ่มต้น</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>ยกเลิก</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>ข้าม</translation>
    </message>
    <message>
        <source>N&amp;o to All</source>
        <translation>ไม่ใช่ทั้งหมด (&amp;O)</translation>
    </message>
    <message>
        <source>Save All</source>
        <translation>บันทึกทั้งหมด</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>ไม่บันทึก</translation>
    </message>
    <message>
        <source>Yes to &amp;All</source>
        <translation>ใช่ทั้งหมด (&amp;A)</translation>
    </message>
</context>
<context>
    <name>QGnomeTheme</name>
    <message>
        <source>&amp;OK</source>
        <translation>ตกลง (&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>บันทึก (&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>ปิด (&amp;C)</translation>
    </message>
    <message>
        <source>Close without Saving</source>
        <translation>ปิดโดยไม่บันทึก</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>ยกเลิก (&amp;C)</translation>
    </message>
</context>
<context>
    <name>QScrollBar</name>
    <message>
        <source>Top</source>
        <translation>บนสุด</translation>
    </message>
    <message>
        <source>Scroll down</source>
        <translation>เลื่อนลง</translation>
    </message>
    <message>
        <source>Scroll here</source>
        <translation>เลื่อนมาที่นี่</translation>
    </message>
    <message>
        <source>Scroll left</source>
        <translation>เลื่อนไปทางซ้าย</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>ล่างสุด</translation>
    </message>
    <message>
        <source>Page up</source>
        <translation>ขึ้นหนึ่งหน้า</translation>
    </message>
    <message>
        <source>Page right</source>
        <translation>ไปทางขวาหนึ่งหน้า</translation>
    </message>
    <message>
        <source>Scroll up</source>
        <translation>เลื่อนขึ้น</translation>
    </message>
    <message>
        <source>Scroll right</source>
        <translation>เลื่อนไปทางขวา</translation>
    </message>
    <message>
        <source>Left edge</source>
        <translation>ซ้ายสุด</translation>
    </message>
    <message>
        <source>Page down</source>
        <translation>ลงหนึ่งหน้า</translation>
    </message>
    <message>
        <source>Page left</source>
        <translation>ไปทางซ้ายหนึ่งหน้า</translation>
    </message>
    <message>
        <source>Right edge</source>
        <translation>ขวาสุด</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>Back</source>
        <translation>ย้อนกลับ</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>เปิด</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>เปิด (&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>บันทึก (&amp;S)</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>ไฟล์</translation>
    </message>
    <message>
        <source>Show </source>
        <translation>แสดง </translation>
    </message>
    <message>
        <source>&apos;%1&apos; is write protected.
Do you want to delete it anyway?</source>
        <translation>&apos;%1&apos; ถูกป้องกันไม่ให้แก้ไข
ต้องการลบหรือไม่</translation>
    </message>
    <message>
        <source>Are you sure you want to delete &apos;%1&apos;?</source>
        <translation>ต้องการลบ &apos;%1&apos; ใช่หรือไม่</translation>
    </message>
    <message>
        <source>List of places and bookmarks</source>
        <translation>รายการที่เก็บไฟล์และที่คั่นไว้</translation>
    </message>
    <message>
        <source>File &amp;name:</source>
        <translation>ชื่อไฟล์ (&amp;N):</translation>
    </message>
    <message>
        <source>Alt+Left</source>
        <translation>Alt+Left</translation>
    </message>
    <message>
        <source>Alt+Up</source>
        <translation>Alt+Up</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>ลบ</translation>
    </message>
    <message>
        <source>New Folder</source>
        <translation>โฟลเดอร์ใหม่</translation>
    </message>
    <message>
        <source>Parent Directory</source>
        <translation>โฟลเดอร์ที่อยู่เหนือขึ้นไป</translation>
    </message>
    <message>
        <source>&amp;New Folder</source>
        <translation>โฟลเดอร์ใหม่ (&amp;N)</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>เอาออก</translation>
    </message>
    <message>
        <source>Look in:</source>
        <translation>ดูใน:</translation>
    </message>
    <message>
        <source>Alt+Right</source>
        <translation>Alt+Right</translation>
    </message>
    <message>
        <source>Create a New Folder</source>
        <translation>สร้างโฟลเดอร์ใหม่</translation>
    </message>
    <message>
        <source>Files of type:</source>
        <translation>ชนิดของไฟล์:</translation>
    </message>
    <message>
        <source>Find Directory</source>
        <translation>หาโฟลเดอร์</translation>
    </message>
    <message>
        <source>Show &amp;hidden files</source>
        <translation>แสดงไฟล์ที่ซ่อนไว้ (&amp;H)</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>บันทึกเป็น</translation>
    </message>
    <message>
        <source>%1
Directory not found.
Please verify the correct directory name was given.</source>
        <translation>%1
ไม่พบโฟลเดอร์นี้
โปรดตรวจดูว่าชื่อโฟลเดอร์ถูกต้อง</translation>
    </message>
    <message>
        <source>Sidebar</source>
        <translation>แถบข้าง</translation>
    </message>
    <message>
        <source>List View</source>
        <translation>มุมมองรายการ</translation>
    </message>
    <message>
        <source>&amp;Choose</source>
        <translation>เลือก (&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>ลบ (&amp;D)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>ทุกไฟล์ (*)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>ทุกไฟล์ (*)</translation>
    </message>
    <message>
        <source>Directories</source>
        <translation>โฟลเดอร์</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>เปลี่ยนชื่อ (&amp;R)</translation>
    </message>
    <message>
        <source>Could not delete directory.</source>
        <translation>ลบโฟลเดอร์ไม่ได้</translation>
    </message>
    <message>
        <source>Directory:</source>
        <translation>โฟลเดอร์:</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>มีไฟล์ %1 อยู่แล้ว
ต้องการเขียนทับหรือไม่</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>ไปข้างหน้า</translation>
    </message>
    <message>
        <source>Go forward</source>
        <translation>ไปข้างหน้า</translation>
    </message>
    <message>
        <source>Go to the parent directory</source>
        <translation>ไปที่โฟลเดอร์ที่อยู่เหนือขึ้นไป</translation>
    </message>
    <message>
        <source>Recent Places</source>
        <translation>ที่ที่เปิดล่าสุด</translation>
    </message>
    <message>
        <source>Go back</source>
        <translation>ย้อนกลับ</translation>
    </message>
    <message>
        <source>Change to detail view mode</source>
        <translation>เปลี่ยนเป็นมุมมองรายละเอียด</translation>
    </message>
    <message>
        <source>Create New Folder</source>
        <translation>สร้างโฟลเดอร์ใหม่</translation>
    </message>
    <message>
        <source>Detail View</source>
        <translation>มุมมองรายละเอียด</translation>
    </message>
    <message>
        <source>%1
File not found.
Please verify the correct file name was given.</source>
        <translation>%1
ไม่พบไฟล์นี้
โปรดตรวจดูว่าชื่อไฟล์ถูกต้อง</translation>
    </message>
    <message>
        <source>Change to list view mode</source>
        <translation>เปลี่ยนเป็นมุมมองรายการ</translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>Cu&amp;t</source>
        <translation>ตัด (&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>คัดลอก (&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>ทำซ้ำ (&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>เลิกทำ (&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>วาง (&amp;P)</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>ลบ</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>เลือกทั้งหมด</translation>
    </message>
</context>
<context>
    <name>QWidgetTextControl</name>
    <message>
        <source>Cu&amp;t</source>
        <translation>ตัด (&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>คัดลอก (&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>ทำซ้ำ (&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>เลิกทำ (&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>วาง (&amp;P)</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>ลบ</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>เลือกทั้งหมด</translation>
    </message>
    <message>
        <source>Copy &amp;Link Location</source>
        <translation>คัดลอกที่อยู่ลิงก์ (&amp;L)</translation>
    </message>
</context>
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <source>File</source>
        <translation>ไฟล์</translation>
    </message>
    <message>
        <source>Alias</source>
        <translation>ทางลัด</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>ไดรฟ์</translation>
    </message>
    <message>
        <source>File Folder</source>
        <translation>โฟลเดอร์</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>โฟลเดอร์</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>ไม่ทราบชนิด</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>ทางลัด</translation>
    </message>
</context>
<context>
    <name>QFileSystemModel</name>
    <message>
        <source>Kind</source>
        <translation>ชนิด</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>ชื่อ</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>ขนาด</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>ชนิด</translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation>คอมพิวเตอร์ของฉัน</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>คอมพิวเตอร์</translation>
    </message>
    <message>
        <source>Date Modified</source>
        <translation>วันที่แก้ไข</translation>
    </message>
</context>
<context>
    <name>QComboBox</name>
    <message>
        <source>True</source>
        <translation>ใช่</translation>
    </message>
    <message>
        <source>False</source>
        <translation>ไม่ใช่</translation>
    </message>
    <message>
        <source>Open the combo box selection popup</source>
        <translation>เปิดรายการให้เลือก</translation>
    </message>
</context>
<context>
    <name>QDialog</name>
    <message>
        <source>What&apos;s This?</source>
        <translation>นี่คืออะไร</translation>
    </message>
</context>
<context>
    <name>QWhatsThisAction</name>
    <message>
        <source>What&apos;s This?</source>
        <translation>นี่คืออะไร</translation>
    </message>
</context>
<context>
    <name>QMessageBox</name>
    <message>
        <source>Show Details...</source>
        <translation>แสดงรายละเอียด...</translation>
    </message>
    <message>
        <source>Hide Details...</source>
        <translation>ซ่อนรายละเอียด...</translation>
    </message>
</context>
<context>
    <name>QUnicodeControlCharacterMenu</name>
    <message>
        <source>RLE Start of right-to-left embedding</source>
        <translation>RLE เริ่มข้อความขวาไปซ้ายที่ฝังไว้</translation>
    </message>
    <message>
        <source>ZWSP Zero width space</source>
        <translation>ZWSP ช่องว่างไม่มีความกว้าง</translation>
    </message>
    <message>
        <source>LRI Left-to-right isolate</source>
        <translation>LRI แยกข้อความซ้ายไปขวา</translation>
    </message>
    <message>
        <source>Insert Unicode control character</source>
        <translation>แทรกอักขระควบคุมของยูนิโค้ด</translation>
    </message>
    <message>
        <source>LRO Start of left-to-right override</source>
        <translation>LRO เริ่มบังคับซ้ายไปขวา</translation>
    </message>
    <message>
        <source>LRE Start of left-to-right embedding</source>
        <translation>LRE เริ่มข้อความซ้ายไปขวาที่ฝังไว้</translation>
    </message>
    <message>
        <source>RLI Right-to-left isolate</source>
        <translation>RLI แยกข้อความขวาไปซ้าย</translation>
    </message>
    <message>
        <source>RLM Right-to-left mark</source>
        <translation>RLM เครื่องหมายขวาไปซ้าย</translation>
    </message>
    <message>
        <source>PDF Pop directional formatting</source>
        <translation>PDF จบการกำหนดทิศทาง</translation>
    </message>
    <message>
        <source>ZWNJ Zero width non-joiner</source>
        <translation>ZWNJ ตัวไม่เชื่อมไม่มีความกว้าง</translation>
    </message>
    <message>
        <source>RLO Start of right-to-left override</source>
        <translation>RLO เริ่มบังคับขวาไปซ้าย</translation>
    </message>
    <message>
        <source>PDI Pop directional isolate</source>
        <translation>PDI จบการแยกทิศทาง</translation>
    </message>
    <message>
        <source>ZWJ Zero width joiner</source>
        <translation>ZWJ ตัวเชื่อมไม่มีความกว้าง</translation>
    </message>
    <message>
        <source>LRM Left-to-right mark</source>
        <translation>LRM เครื่องหมายซ้ายไปขวา</translation>
    </message>
    <message>
        <source>FSI First strong isolate</source>
        <translation>FSI แยกตามอักขระแรก</translation>
    </message>
</context>
<context>
    <name>QAbstractSpinBox</name>
    <message>
        <source>Step &amp;down</source>
        <translation>ลดลง (&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Step up</source>
        <translation>เพิ่มขึ้น (&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Select All</source>
        <translation>เลือกทั้งหมด (&amp;S)</translation>
    </message>
</context>
<context>
    <name>QInputDialog</name>
    <message>
        <source>Enter a value:</source>
        <translation>ใส่ค่า:</translation>
    </message>
</context>
<context>
    <name>QTabBar</name>
    <message>
        <source>Scroll Left</source>
        <translation>เลื่อนไปทางซ้าย</translation>
    </message>
    <message>
        <source>Scroll Right</source>
        <translation>เลื่อนไปทางขวา</translation>
    </message>
</context>
</TS>
