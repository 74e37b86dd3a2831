/* The national postal list, linked in as read-only data. */
    .section .rodata.mivo_postal_data, "a"
    .balign 16
    .globl mivo_postal_data_begin
mivo_postal_data_begin:
    .incbin POSTAL_DATA_FILE
    .globl mivo_postal_data_end
mivo_postal_data_end:
    .section .note.GNU-stack, "", @progbits
