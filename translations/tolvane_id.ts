<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="id">
<context>
    <name>ArpFrame</name>
    <message>
        <source>&apos;%1&apos; is not an IPv4 address.</source>
        <translation>&apos;%1&apos; bukan alamat IPv4.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a MAC address.</source>
        <translation>&apos;%1&apos; bukan alamat MAC.</translation>
    </message>
</context>
<context>
    <name>CaptureFile</name>
    <message>
        <source>No frame in the capture: %1</source>
        <translation>Tidak ada bingkai dalam tangkapan: %1</translation>
    </message>
    <message>
        <source>The capture stopped: %1</source>
        <translation>Tangkapan berhenti: %1</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Watch ARP resolve an address on one shared segment.</source>
        <translation>Saksikan ARP menemukan sebuah alamat pada satu segmen jaringan bersama.</translation>
    </message>
    <message>
        <source>Displays this help.</source>
        <translation>Menampilkan bantuan ini.</translation>
    </message>
    <message>
        <source>Displays version information.</source>
        <translation>Menampilkan informasi versi.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Argumen tak terduga &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>pace</source>
        <translation>laju</translation>
    </message>
    <message>
        <source>Write every frame the exchange sends to file, as a capture (pcap) that Wireshark and tcpdump read; - is standard output: tolvane --capture - | wireshark -k -i -</source>
        <translation>Tulis setiap bingkai yang dikirim pertukaran ke file, sebagai tangkapan (pcap) yang dibaca Wireshark dan tcpdump; - adalah keluaran standar: tolvane --capture - | wireshark -k -i -</translation>
    </message>
    <message>
        <source>file</source>
        <translation>file</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 atau %2</translation>
    </message>
    <message>
        <source>Unknown pace &apos;%1&apos;: choose %2.</source>
        <translation>Laju &apos;%1&apos; tidak dikenal: pilih %2.</translation>
    </message>
    <message>
        <source>Draw the window larger by factor, from 1 to 4, for a projector: --scale 2 for a room of 1920 by 1080 pixels.</source>
        <translation>Gambar jendela lebih besar sebesar faktor, dari 1 sampai 4, untuk proyektor: --scale 2 untuk layar 1920 kali 1080 piksel.</translation>
    </message>
    <message>
        <source>factor</source>
        <translation>faktor</translation>
    </message>
    <message>
        <source>Unknown scale &apos;%1&apos;: give a factor from 1 to 4, such as 1.5 or 2.</source>
        <translation>Skala &apos;%1&apos; tidak dikenal: berikan faktor dari 1 sampai 4, misalnya 1.5 atau 2.</translation>
    </message>
    <message>
        <source>Open the timeline beside the window: every step of the run&apos;s exchanges, the packet and the ARP tables after it.</source>
        <translation>Buka lini masa di samping jendela: setiap langkah pertukaran selama program berjalan, paketnya dan tabel ARP sesudahnya.</translation>
    </message>
    <message>
        <source>How the exchange moves: as-designed (the default, each word a moment), slow (each word a second), step (each word until Page Down) or predict (each host asks what it will do before it acts).</source>
        <translation>Cara pertukaran berjalan: as-designed (bawaan, tiap kata sesaat), slow (tiap kata sedetik), step (tiap kata sampai Page Down) atau predict (tiap komputer bertanya apa yang akan dilakukannya sebelum bertindak).</translation>
    </message>
</context>
<context>
    <name>EventEntry</name>
    <message>
        <source>Run-time error: %1</source>
        <translation>Kesalahan saat program berjalan: %1</translation>
    </message>
</context>
<context>
    <name>Komputer</name>
    <message>
        <source>IP address %1.</source>
        <translation>Alamat IP %1.</translation>
    </message>
    <message>
        <source>1 entry</source>
        <translation>1 entri</translation>
    </message>
    <message numerus="yes">
        <source>%n entries</source>
        <translation>
            <numerusform>%n entri</numerusform>
        </translation>
    </message>
    <message>
        <source>Its ARP table is empty.</source>
        <translation>Tabel ARP-nya kosong.</translation>
    </message>
    <message>
        <source>Its ARP table holds %1.</source>
        <translation>Tabel ARP-nya berisi %1.</translation>
    </message>
    <message>
        <source>Its ARP table holds %1, the last %2 at %3.</source>
        <translation>Tabel ARP-nya berisi %1, yang terakhir %2 dengan MAC %3.</translation>
    </message>
</context>
<context>
    <name>Narrator</name>
    <message>
        <source>%1 broadcasts a request for %2.</source>
        <translation>%1 menyiarkan permintaan untuk %2.</translation>
    </message>
    <message>
        <source>No host has %1, so no answer comes.</source>
        <translation>Tidak ada komputer yang memiliki %1, jadi tidak ada jawaban.</translation>
    </message>
    <message>
        <source>The last answer, from %1, is the one kept.</source>
        <translation>Jawaban terakhir, dari %1, yang disimpan.</translation>
    </message>
    <message>
        <source>%1&apos;s ARP table is cleared and holds %2.</source>
        <translation>Tabel ARP %1 dikosongkan dan berisi %2.</translation>
    </message>
    <message>
        <source>%1 saved %2&apos;s address.</source>
        <translation>%1 menyimpan alamat %2.</translation>
    </message>
    <message>
        <source>%1 already had %2&apos;s address.</source>
        <translation>%1 sudah punya alamat %2.</translation>
    </message>
    <message>
        <source>%1 saved %2&apos;s address, %3 already had it.</source>
        <translation>%1 menyimpan alamat %2, %3 sudah punya alamat itu.</translation>
    </message>
    <message>
        <source>%1 has IP address %2 and MAC address %3, and its ARP table holds %4.</source>
        <translation>%1 memiliki alamat IP %2 dan alamat MAC %3, dan tabel ARP-nya berisi %4.</translation>
    </message>
    <message>
        <source>The others saved MAC %1, and %2 now holds %3.</source>
        <translation>Komputer lain menyimpan MAC %1, dan tabel ARP %2 sekarang berisi %3.</translation>
    </message>
    <message>
        <source>Choose a host with Tab and Space, type the address to find, then press Alt+B. Shift+F10 on a host sets the pace.</source>
        <translation>Pilih komputer dengan Tab dan Spasi, ketik alamat yang dicari, lalu tekan Alt+B. Shift+F10 pada komputer mengatur laju.</translation>
    </message>
    <message>
        <source>The exchange runs at its designed pace.</source>
        <translation>Pertukaran berjalan dengan laju rancangannya.</translation>
    </message>
    <message>
        <source>Slow motion, a second for every word.</source>
        <translation>Gerak lambat, sedetik untuk setiap kata.</translation>
    </message>
    <message>
        <source>Step by step. Page Down shows the next word.</source>
        <translation>Langkah demi langkah. Page Down menampilkan kata berikutnya.</translation>
    </message>
    <message>
        <source>Back to step %1 of %2.</source>
        <translation>Kembali ke langkah %1 dari %2.</translation>
    </message>
    <message>
        <source>On to step %1 of %2.</source>
        <translation>Maju ke langkah %1 dari %2.</translation>
    </message>
    <message>
        <source>Predict, then watch. Answer each question with Y or N, or Page Down to skip it.</source>
        <translation>Tebak, lalu amati. Jawab setiap pertanyaan dengan Y atau T, atau Page Down untuk melewatinya.</translation>
    </message>
</context>
<context>
    <name>PaceMenu</name>
    <message>
        <source>Pace as &amp;designed</source>
        <translation>Laju sesuai &amp;rancangan</translation>
    </message>
    <message>
        <source>&amp;Slow motion, a second a word</source>
        <translation>Gerak &amp;lambat, sedetik per kata</translation>
    </message>
    <message>
        <source>S&amp;tep by step, Page Down for the next word</source>
        <translation>Langkah &amp;demi langkah, Page Down untuk kata berikutnya</translation>
    </message>
    <message>
        <source>&amp;Predict, then watch</source>
        <translation>&amp;Tebak, lalu amati</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Usage: %1</source>
        <translation>Penggunaan: %1</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Opsi:</translation>
    </message>
    <message>
        <source>Unknown option &apos;%1&apos;.</source>
        <translation>Opsi tidak dikenal &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Unknown options: %1.</source>
        <translation>Opsi tidak dikenal: %1.</translation>
    </message>
    <message>
        <source>Missing value after &apos;%1&apos;.</source>
        <translation>Tidak ada nilai setelah &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Unexpected value after &apos;%1&apos;.</source>
        <translation>Nilai tak terduga setelah &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>[options]</source>
        <translation>[opsi]</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>Quiz</name>
    <message>
        <source>Which host will answer? %1, 0 none.</source>
        <translation>Komputer mana yang akan menjawab? %1, 0 tidak ada.</translation>
    </message>
    <message>
        <source>Will %1 save %2&apos;s address?</source>
        <translation>Apakah %1 akan menyimpan alamat %2?</translation>
    </message>
    <message>
        <source>Will %1 answer?</source>
        <translation>Apakah %1 akan menjawab?</translation>
    </message>
    <message>
        <source>Will %1 store the answer for %2?</source>
        <translation>Apakah %1 akan menyimpan jawaban untuk %2?</translation>
    </message>
    <message>
        <source>Skipped.</source>
        <translation>Dilewati.</translation>
    </message>
    <message>
        <source>Right.</source>
        <translation>Benar.</translation>
    </message>
    <message>
        <source>Not this time.</source>
        <translation>Kali ini belum tepat.</translation>
    </message>
    <message>
        <source>You said yes.</source>
        <translation>Jawabanmu ya.</translation>
    </message>
    <message>
        <source>You said no.</source>
        <translation>Jawabanmu tidak.</translation>
    </message>
    <message>
        <source>You said %1.</source>
        <translation>Jawabanmu %1.</translation>
    </message>
    <message>
        <source>none</source>
        <translation>tidak ada</translation>
    </message>
    <message>
        <source>%1 did not have %2&apos;s address yet.</source>
        <translation>%1 belum punya alamat %2.</translation>
    </message>
    <message>
        <source>%1 already had %2&apos;s address.</source>
        <translation>%1 sudah punya alamat %2.</translation>
    </message>
    <message>
        <source>%1 is neither %2&apos;s address nor in its ARP table.</source>
        <translation>%1 bukan alamat %2 dan tidak ada di tabel ARP-nya.</translation>
    </message>
    <message>
        <source>%1 is %2&apos;s own address, so it answers.</source>
        <translation>%1 adalah alamat %2 sendiri, jadi ia menjawab.</translation>
    </message>
    <message>
        <source>%1 has %2 in its ARP table, so it answers too.</source>
        <translation>%1 memiliki %2 di tabel ARP-nya, jadi ia juga menjawab.</translation>
    </message>
    <message>
        <source>%1 has %2 in its ARP table, so it answers.</source>
        <translation>%1 memiliki %2 di tabel ARP-nya, jadi ia menjawab.</translation>
    </message>
    <message>
        <source>Every host that hears an answer stores it, the requester or not.</source>
        <translation>Setiap komputer yang mendengar jawaban menyimpannya, peminta atau bukan.</translation>
    </message>
    <message>
        <source>No host has %1, so no answer comes.</source>
        <translation>Tidak ada komputer yang memiliki %1, jadi tidak ada jawaban.</translation>
    </message>
    <message>
        <source>%1 answer, and %2&apos;s answer, the last, is kept.</source>
        <translation>%1 menjawab, dan jawaban %2, yang terakhir, yang disimpan.</translation>
    </message>
    <message>
        <source>You predicted %1 of %2.</source>
        <translation>Tebakanmu benar %1 dari %2.</translation>
    </message>
    <message>
        <source>%1 of %2 right so far.</source>
        <translation>Sejauh ini %1 dari %2 benar.</translation>
    </message>
</context>
<context>
    <name>QuizBoard</name>
    <message>
        <source>Prediction</source>
        <translation>Tebakan</translation>
    </message>
    <message>
        <source>Press 0 to 5, or Page Down to skip.</source>
        <translation>Tekan 0 sampai 5, atau Page Down untuk melewati.</translation>
    </message>
    <message>
        <source>Press Y for yes, N for no, Page Down to skip.</source>
        <translation>Tekan Y untuk ya, T untuk tidak, Page Down untuk melewati.</translation>
    </message>
</context>
<context>
    <name>QuizKeys</name>
    <message>
        <source>N</source>
        <comment>the key that answers no</comment>
        <translation>T</translation>
    </message>
</context>
<context>
    <name>Recorder</name>
    <message>
        <source>%1&apos;s ARP table is cleared.</source>
        <translation>Tabel ARP %1 dikosongkan.</translation>
    </message>
</context>
<context>
    <name>RuntimeError</name>
    <message>
        <source>Subscript out of range</source>
        <translation>Subskrip di luar jangkauan</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Luapan</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Tipe tidak cocok</translation>
    </message>
    <message>
        <source>Run-time error</source>
        <translation>Kesalahan saat program berjalan</translation>
    </message>
</context>
<context>
    <name>Story</name>
    <message>
        <source>%1 receives %2&apos;s answer.</source>
        <translation>%1 menerima jawaban %2.</translation>
    </message>
    <message>
        <source>%1 receives %2&apos;s request.</source>
        <translation>%1 menerima permintaan %2.</translation>
    </message>
    <message>
        <source>%1 saves %2&apos;s address.</source>
        <translation>%1 menyimpan alamat %2.</translation>
    </message>
    <message>
        <source>%1 saves the answer for %2.</source>
        <translation>%1 menyimpan jawaban untuk %2.</translation>
    </message>
    <message>
        <source>%1 answers from its ARP table.</source>
        <translation>%1 menjawab dari tabel ARP-nya.</translation>
    </message>
    <message>
        <source>%1 has that address and answers.</source>
        <translation>%1 memiliki alamat itu dan menjawab.</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 dan %2</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>TimelineWindow</name>
    <message>
        <source>Show the &amp;timeline</source>
        <translation>Tampilkan &amp;lini masa</translation>
    </message>
    <message>
        <source>&amp;Replay the last exchange</source>
        <translation>&amp;Ulangi pertukaran terakhir</translation>
    </message>
    <message>
        <source>Tolvane Timeline</source>
        <translation>Lini Masa Tolvane</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Langkah</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Komputer</translation>
    </message>
    <message>
        <source>Word</source>
        <translation>Kata</translation>
    </message>
    <message>
        <source>What happens</source>
        <translation>Yang terjadi</translation>
    </message>
    <message>
        <source>Steps</source>
        <translation>Langkah-langkah</translation>
    </message>
    <message>
        <source>Step in detail</source>
        <translation>Rincian langkah</translation>
    </message>
    <message>
        <source>%1 asks for %2.</source>
        <translation>%1 menanyakan %2.</translation>
    </message>
    <message>
        <source>%1 asks for %2: the answer kept is %3&apos;s.</source>
        <translation>%1 menanyakan %2: jawaban yang disimpan adalah jawaban %3.</translation>
    </message>
    <message>
        <source>%1 asks for %2: no host has it.</source>
        <translation>%1 menanyakan %2: tidak ada komputer yang memilikinya.</translation>
    </message>
    <message>
        <source>%1 asks for %2: its table already holds it, &quot;%3&quot;.</source>
        <translation>%1 menanyakan %2: tabelnya sudah memuatnya, &quot;%3&quot;.</translation>
    </message>
    <message>
        <source>Hapus Entri: %1&apos;s ARP table is cleared.</source>
        <translation>Hapus Entri: tabel ARP %1 dikosongkan.</translation>
    </message>
    <message>
        <source>The packet in flight</source>
        <translation>Paket yang sedang dikirim</translation>
    </message>
    <message>
        <source>Ethernet destination: %1</source>
        <translation>Tujuan Ethernet (Destination): %1</translation>
    </message>
    <message>
        <source>Ethernet source: %1</source>
        <translation>Sumber Ethernet (Source): %1</translation>
    </message>
    <message>
        <source>ARP opcode: %1 (%2), the simulation&apos;s Operation %3</source>
        <translation>Opcode ARP: %1 (%2), Operation %3 pada simulasi</translation>
    </message>
    <message>
        <source>request</source>
        <translation>request</translation>
    </message>
    <message>
        <source>reply</source>
        <translation>reply</translation>
    </message>
    <message>
        <source>Sender MAC address: %1</source>
        <translation>Alamat MAC pengirim (Sender MAC address): %1</translation>
    </message>
    <message>
        <source>Sender IP address: %1</source>
        <translation>Alamat IP pengirim (Sender IP address): %1</translation>
    </message>
    <message>
        <source>Target MAC address: %1</source>
        <translation>Alamat MAC sasaran (Target MAC address): %1</translation>
    </message>
    <message>
        <source>Target IP address: %1</source>
        <translation>Alamat IP sasaran (Target IP address): %1</translation>
    </message>
    <message>
        <source>Operation %1, from %2 (%3) for %4</source>
        <translation>Operation %1, dari %2 (%3) untuk %4</translation>
    </message>
    <message>
        <source>The ARP tables after this step</source>
        <translation>Tabel ARP sesudah langkah ini</translation>
    </message>
    <message>
        <source>(this step&apos;s)</source>
        <translation>(dari langkah ini)</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>kosong</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>Predicted</source>
        <translation>Tebakan</translation>
    </message>
</context>
<context>
    <name>fUtama</name>
    <message>
        <source>IP %1, MAC %2</source>
        <translation>IP %1, MAC %2</translation>
    </message>
    <message>
        <source>IP %1</source>
        <translation>IP %1</translation>
    </message>
    <message>
        <source>MAC %1</source>
        <translation>MAC %1</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Jaringan</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Cannot write the capture to &apos;%1&apos;: %2</source>
        <translation>Tidak dapat menulis tangkapan ke &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>Standard output is a terminal: pipe the capture into a reader, as in tolvane --capture - | wireshark -k -i -, or name a file.</source>
        <translation>Keluaran standar adalah terminal: salurkan tangkapan ke pembaca, seperti tolvane --capture - | wireshark -k -i -, atau sebutkan sebuah file.</translation>
    </message>
</context>
</TS>
